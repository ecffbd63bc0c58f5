// A workbook written to a file through a buffer of its own.
#include "workbook/excel/sink/FileSink.h"

#include "workbook/excel/sink/WriteError.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;

}  // namespace

FileSink::FileSink(const std::string& path) {
  platform::FileError error;
  if (!file_.Open(path, platform::OutputFileHandle::Mode::Replace, error)) {
    throw WriteError(error.text);
  }
  buffer_.reserve(kBufferSize);
}

FileSink::~FileSink() = default;

void FileSink::Write(std::string_view bytes) {
  if (buffer_.size() + bytes.size() <= kBufferSize) {
    buffer_.append(bytes);
    return;
  }
  WriteAll(buffer_);
  buffer_.clear();
  if (bytes.size() >= kBufferSize) {
    WriteAll(bytes);
  } else {
    buffer_.append(bytes);
  }
}

void FileSink::Close() {
  WriteAll(buffer_);
  buffer_.clear();
  platform::FileError error;
  if (!file_.Close(error)) throw WriteError(error.text);
}

void FileSink::WriteAll(std::string_view bytes) {
  platform::FileError error;
  if (!file_.Write(bytes, error)) throw WriteError(error.text);
}

}  // namespace kvo::excel
