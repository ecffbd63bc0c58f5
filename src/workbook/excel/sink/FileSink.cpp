// A workbook written to a file through a buffer of its own.
#include "workbook/excel/sink/FileSink.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>

#include "workbook/excel/OutputFile.h"
#include "workbook/excel/sink/WriteError.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kBufferSize = 256 * 1024;

}  // namespace

FileSink::FileSink(const std::string& path) {
  fd_ = ::open(path.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0666);
  if (fd_ < 0) throw WriteError(SystemErrorText(errno));
  buffer_.reserve(kBufferSize);
}

FileSink::~FileSink() {
  if (fd_ >= 0) ::close(fd_);
}

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
  const int fd = fd_;
  fd_ = -1;
  if (::close(fd) != 0) throw WriteError(SystemErrorText(errno));
}

void FileSink::WriteAll(std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = ::write(fd_, bytes.data(), bytes.size());
    if (written < 0) {
      if (errno == EINTR) continue;
      throw WriteError(SystemErrorText(errno));
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
}

}  // namespace kvo::excel
