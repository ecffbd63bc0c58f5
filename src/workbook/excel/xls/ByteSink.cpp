// Where a written workbook's bytes go: memory, or the temporary file of an output file.
#include "workbook/excel/xls/ByteSink.h"

#include <cerrno>

#include "workbook/excel/OutputFile.h"

namespace kvo::excel {

void MemorySink::Write(std::span<const std::uint8_t> bytes) {
  bytes_.insert(bytes_.end(), bytes.begin(), bytes.end());
}

FileSink::FileSink(const OutputFile& out)
    : out_(out), file_(std::fopen(out.TempPath().c_str(), "wbe")) {
  if (file_ == nullptr) out_.Fail(SystemErrorText(errno));
}

FileSink::~FileSink() {
  if (file_ != nullptr) std::fclose(file_);
}

void FileSink::Write(std::span<const std::uint8_t> bytes) {
  if (bytes.empty()) return;
  if (file_ == nullptr || std::fwrite(bytes.data(), 1, bytes.size(), file_) != bytes.size()) {
    out_.Fail(SystemErrorText(errno));
  }
}

void FileSink::Close() {
  std::FILE* file = file_;
  file_ = nullptr;
  if (file == nullptr) return;
  const bool flushed = std::fflush(file) == 0;
  const int error = errno;
  if (std::fclose(file) != 0 || !flushed) out_.Fail(SystemErrorText(flushed ? errno : error));
}

}  // namespace kvo::excel
