// Where a written workbook's bytes go: memory, or the temporary file of an output file.
#pragma once

#include <cstdint>
#include <cstdio>
#include <span>
#include <vector>

namespace kvo::excel {

class OutputFile;

class ByteSink {
 public:
  virtual ~ByteSink() = default;
  // Appends the bytes; raises the spreadsheet error when they cannot be kept.
  virtual void Write(std::span<const std::uint8_t> bytes) = 0;
};

// Keeps every byte in memory.
class MemorySink : public ByteSink {
 public:
  void Write(std::span<const std::uint8_t> bytes) override;
  const std::vector<std::uint8_t>& Bytes() const { return bytes_; }

 private:
  std::vector<std::uint8_t> bytes_;
};

// Writes to the temporary file of an output file; the output file stays the caller's to commit.
class FileSink : public ByteSink {
 public:
  // Raises through the output file (naming the target and the reason) when the file does not
  // open.
  explicit FileSink(const OutputFile& out);
  ~FileSink() override;
  FileSink(const FileSink&) = delete;
  FileSink& operator=(const FileSink&) = delete;

  // Raises through the output file when a write fails.
  void Write(std::span<const std::uint8_t> bytes) override;
  // Flushes and closes the file; raises through the output file when that fails.
  void Close();

 private:
  const OutputFile& out_;
  std::FILE* file_;
};

}  // namespace kvo::excel
