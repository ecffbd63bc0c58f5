// Writing a file so that the target never holds a partial result.
#include "workbook/excel/OutputFile.h"

#include <random>

#include "platform/Platform.h"
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

OutputFile::OutputFile(std::string target) : target_(std::move(target)) {
  const std::size_t cut = target_.find_last_of(platform::kSeparators);
  const std::string folder = cut == std::string::npos ? "" : target_.substr(0, cut + 1);
  const std::string name = cut == std::string::npos ? target_ : target_.substr(cut + 1);
  const std::string base = folder + "." + name.substr(0, kMaxBaseName) + ".";
  platform::FileError error;
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    const std::string candidate = base + RandomSuffix();
    platform::OutputFileHandle file;
    if (file.Open(candidate, platform::OutputFileHandle::Mode::CreateNew, error)) {
      if (!file.Close(error)) break;
      temp_ = candidate;
      return;
    }
    if (error.kind != platform::FileError::Kind::Exists) break;
  }
  Fail(error.text);
}

OutputFile::~OutputFile() {
  platform::FileError ignored;
  if (!committed_ && !temp_.empty()) platform::RemoveFile(temp_, ignored);
}

void OutputFile::Fail(const std::string& reason) const {
  RaiseSheetError("Cannot save the workbook as \"" + target_ + "\": " + reason);
}

void OutputFile::Commit() {
  platform::FileError error;
  if (!platform::ReplaceFile(temp_, target_, error)) Fail(error.text);
  committed_ = true;
}

}  // namespace kvo::excel
