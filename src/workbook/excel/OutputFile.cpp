// Writing a file so that the target never holds a partial result.
#include "workbook/excel/OutputFile.h"

#include <fcntl.h>
#include <unistd.h>

#include <cerrno>
#include <cstdio>
#include <cstring>
#include <filesystem>
#include <random>

#include "workbook/excel/store/SheetError.h"

namespace kvo::excel {

namespace {

constexpr int kNameAttempts = 16;
// Keeps the temporary name within the usual 255-byte limit of a file name.
constexpr std::size_t kMaxBaseName = 200;

std::string RandomSuffix() {
  thread_local std::mt19937_64 engine{std::random_device{}()};
  static constexpr char kDigits[] = "0123456789abcdefghijklmnopqrstuvwxyz";
  std::string suffix;
  for (int i = 0; i < 8; ++i) suffix += kDigits[engine() % 36];
  return suffix;
}

}  // namespace

std::string SystemErrorText(int errorNumber) {
  char buffer[256];
  // GNU strerror_r returns the text, possibly not in buffer.
  return ::strerror_r(errorNumber, buffer, sizeof buffer);
}

OutputFile::OutputFile(std::string target) : target_(std::move(target)) {
  const std::filesystem::path path(target_);
  std::filesystem::path folder = path.parent_path();
  if (folder.empty()) folder = ".";
  const std::string base = "." + path.filename().string().substr(0, kMaxBaseName) + ".";
  int error = 0;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string candidate = (folder / (base + RandomSuffix())).string();
    // 0666 lets the process umask decide the permissions, as for any new file.
    const int fd = ::open(candidate.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, 0666);
    if (fd >= 0) {
      ::close(fd);
      temp_ = candidate;
      return;
    }
    error = errno;
    if (error != EEXIST) break;
  }
  Fail(SystemErrorText(error));
}

OutputFile::~OutputFile() {
  if (!committed_ && !temp_.empty()) ::unlink(temp_.c_str());
}

void OutputFile::Fail(const std::string& reason) const {
  RaiseSheetError("Cannot save the workbook as \"" + target_ + "\": " + reason);
}

void OutputFile::Commit() {
  if (::rename(temp_.c_str(), target_.c_str()) != 0) Fail(SystemErrorText(errno));
  committed_ = true;
}

}  // namespace kvo::excel
