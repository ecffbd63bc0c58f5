// The zip container of a workbook: entries deflated one after another into a sink that is only
// ever appended to, each followed by its sizes and CRC, and the central directory at the end.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/excel/sink/ByteSink.h"
#include "workbook/excel/xlsx/DeflateStream.h"

namespace kvo::excel {

class ZipContainer {
 public:
  // Compresses entries through the back end, at its level. Raises nothing.
  explicit ZipContainer(ByteSink& out, const DeflateBackend& backend = ConfiguredDeflateBackend());
  ~ZipContainer();
  ZipContainer(const ZipContainer&) = delete;
  ZipContainer& operator=(const ZipContainer&) = delete;

  // Ends the entry before and starts one named name (an ASCII path such as "xl/workbook.xml");
  // what is written to the returned sink until the next StartEntry or Finish is its content.
  // Raises WriteError, and what the sink raises.
  ByteSink& StartEntry(std::string_view name);
  // Ends the last entry and writes the central directory. The container holds no Zip64
  // records: an entry or a whole container past 4 GiB raises WriteError.
  void Finish();

 private:
  // Counts what goes to the sink, for the offsets the directory records.
  class CountingSink : public ByteSink {
   public:
    explicit CountingSink(ByteSink& out) : out_(out) {}
    void Write(std::string_view bytes) override {
      out_.Write(bytes);
      count_ += bytes.size();
    }
    std::uint64_t Count() const { return count_; }

   private:
    ByteSink& out_;
    std::uint64_t count_ = 0;
  };

  struct Entry {
    std::string name;
    std::uint64_t offset = 0;
    std::uint32_t crc = 0;
    std::uint32_t compressedSize = 0;
    std::uint32_t size = 0;
  };

  void EndEntry();

  CountingSink out_;
  const DeflateBackend backend_;  // a copy: a caller may pass a temporary
  std::vector<Entry> entries_;
  std::unique_ptr<DeflateStream> current_;
};

}  // namespace kvo::excel
