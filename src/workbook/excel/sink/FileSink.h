// A workbook written to a file through a buffer of its own.
#pragma once

#include <string>
#include <string_view>

#include "platform/Platform.h"
#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

class FileSink : public ByteSink {
 public:
  // Opens the file for writing, emptying it. Raises WriteError with the system's reason.
  explicit FileSink(const std::string& path);
  // Closes the file if Close was not called; what was still buffered is lost.
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // Raises WriteError with the system's reason (a full disk, say).
  void Write(std::string_view bytes) override;
  // Writes what is buffered and closes the file; raises WriteError when either fails.
  void Close();

 private:
  void WriteAll(std::string_view bytes);

  platform::OutputFileHandle file_;
  std::string buffer_;
};

}  // namespace kvo::excel
