// Writing a file so that the target never holds a partial result.
#pragma once

#include <string>

namespace kvo::excel {

// Reserves a fresh temporary file beside the target; Commit puts it in the target's place in
// one step. Without Commit the temporary file is removed and the target stays as it was.
class OutputFile {
 public:
  // Raises (naming the target and the reason) when the target's folder takes no new file.
  explicit OutputFile(std::string target);
  ~OutputFile();
  OutputFile(const OutputFile&) = delete;
  OutputFile& operator=(const OutputFile&) = delete;

  const std::string& TempPath() const { return temp_; }
  // Raises the spreadsheet error for a failure to write the target, with the reason.
  [[noreturn]] void Fail(const std::string& reason) const;
  void Commit();

 private:
  std::string target_;
  std::string temp_;
  bool committed_ = false;
};

}  // namespace kvo::excel
