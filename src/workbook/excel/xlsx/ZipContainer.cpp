// The zip container of a workbook: entries deflated one after another into a sink that is only
// ever appended to, each followed by its sizes and CRC, and the central directory at the end.
#include "workbook/excel/xlsx/ZipContainer.h"

#include <limits>

#include "workbook/excel/sink/WriteError.h"

namespace kvo::excel {

namespace {

constexpr std::uint32_t kLocalHeader = 0x04034b50;
constexpr std::uint32_t kDataDescriptor = 0x08074b50;
constexpr std::uint32_t kCentralHeader = 0x02014b50;
constexpr std::uint32_t kEndOfDirectory = 0x06054b50;
constexpr std::uint16_t kVersion = 20;  // deflate
// Sizes and CRC follow the data (bit 3), so that entries can be streamed.
constexpr std::uint16_t kFlags = 0x0008;
constexpr std::uint16_t kDeflated = 8;
// Every entry is dated 1980-01-01 00:00, the earliest date the format holds.
constexpr std::uint16_t kDosTime = 0;
constexpr std::uint16_t kDosDate = (1 << 5) | 1;
constexpr std::uint64_t kMax32 = std::numeric_limits<std::uint32_t>::max();

// Little-endian fields of a header.
class Fields {
 public:
  Fields& U16(std::uint16_t v) {
    bytes_ += static_cast<char>(v & 0xFF);
    bytes_ += static_cast<char>(v >> 8);
    return *this;
  }
  Fields& U32(std::uint32_t v) {
    for (int shift = 0; shift < 32; shift += 8) bytes_ += static_cast<char>((v >> shift) & 0xFF);
    return *this;
  }
  Fields& Bytes(std::string_view text) {
    bytes_ += text;
    return *this;
  }
  std::string_view View() const { return bytes_; }

 private:
  std::string bytes_;
};

std::uint32_t Fit32(std::uint64_t value) {
  if (value >= kMax32) throw WriteError("the workbook would be larger than 4 GiB");
  return static_cast<std::uint32_t>(value);
}

}  // namespace

ZipContainer::ZipContainer(ByteSink& out, const DeflateBackend& backend)
    : out_(out), backend_(backend) {}

ZipContainer::~ZipContainer() = default;

ByteSink& ZipContainer::StartEntry(std::string_view name) {
  EndEntry();
  Entry entry;
  entry.name = name;
  entry.offset = out_.Count();
  Fields header;
  header.U32(kLocalHeader).U16(kVersion).U16(kFlags).U16(kDeflated).U16(kDosTime).U16(kDosDate);
  header.U32(0).U32(0).U32(0);  // CRC and sizes: in the data descriptor
  header.U16(static_cast<std::uint16_t>(name.size())).U16(0).Bytes(name);
  out_.Write(header.View());
  entries_.push_back(std::move(entry));
  current_ = std::make_unique<DeflateStream>(out_, backend_);
  return *current_;
}

void ZipContainer::EndEntry() {
  if (!current_) return;
  current_->Finish();
  Entry& entry = entries_.back();
  entry.crc = current_->Crc();
  entry.compressedSize = Fit32(current_->OutputSize());
  entry.size = Fit32(current_->InputSize());
  current_.reset();
  Fields descriptor;
  descriptor.U32(kDataDescriptor).U32(entry.crc).U32(entry.compressedSize).U32(entry.size);
  out_.Write(descriptor.View());
}

void ZipContainer::Finish() {
  EndEntry();
  const std::uint64_t directoryStart = out_.Count();
  for (const Entry& entry : entries_) {
    Fields header;
    header.U32(kCentralHeader).U16(kVersion).U16(kVersion).U16(kFlags).U16(kDeflated);
    header.U16(kDosTime).U16(kDosDate).U32(entry.crc).U32(entry.compressedSize).U32(entry.size);
    header.U16(static_cast<std::uint16_t>(entry.name.size())).U16(0).U16(0);  // extra, comment
    header.U16(0).U16(0).U32(0);  // disk, internal and external attributes
    header.U32(Fit32(entry.offset)).Bytes(entry.name);
    out_.Write(header.View());
  }
  const std::uint64_t directorySize = out_.Count() - directoryStart;
  const auto count = static_cast<std::uint16_t>(entries_.size());
  Fields end;
  end.U32(kEndOfDirectory).U16(0).U16(0).U16(count).U16(count);
  end.U32(Fit32(directorySize)).U32(Fit32(directoryStart)).U16(0);
  out_.Write(end.View());
}

}  // namespace kvo::excel
