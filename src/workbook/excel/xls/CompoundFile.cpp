// The compound document that holds a workbook stream: header, the stream's sectors, directory,
// sector allocation table and, past 109 table sectors, the extra table-of-tables sectors.
#include "workbook/excel/xls/CompoundFile.h"

#include <algorithm>
#include <vector>

#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/xls/LittleEndian.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kSectorSize = 512;
constexpr std::size_t kIdsPerSector = kSectorSize / 4;         // 128 table entries
constexpr std::size_t kHeaderTableIds = 109;                   // table sectors the header lists
constexpr std::size_t kIdsPerTableSector = kIdsPerSector - 1;  // the last one chains on
constexpr std::size_t kDirEntrySize = 128;
constexpr std::uint32_t kFreeSect = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSect = 0xFFFFFFFD;
constexpr std::uint32_t kDifSect = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
// Sector numbers above this are the special values.
constexpr std::size_t kMaxSectors = 0xFFFFFFFA;

// Where each part of the file lies, in sectors after the header.
struct Layout {
  std::size_t streamSectors = 0;
  std::size_t directory = 0;  // one sector
  std::size_t fatFirst = 0;
  std::size_t fatSectors = 0;
  std::size_t difatFirst = 0;
  std::size_t difatSectors = 0;
};

std::size_t CeilDiv(std::size_t a, std::size_t b) {
  return (a + b - 1) / b;
}

// The allocation table must also describe its own sectors and the extra table-of-tables
// sectors, so its size is found by growing it until everything fits.
Layout PlanLayout(std::size_t streamBytes) {
  Layout plan;
  plan.streamSectors = CeilDiv(streamBytes, kSectorSize);
  plan.directory = plan.streamSectors;
  plan.fatFirst = plan.directory + 1;
  for (plan.fatSectors = 1;; ++plan.fatSectors) {
    plan.difatSectors = plan.fatSectors > kHeaderTableIds
                            ? CeilDiv(plan.fatSectors - kHeaderTableIds, kIdsPerTableSector)
                            : 0;
    const std::size_t total = plan.fatFirst + plan.fatSectors + plan.difatSectors;
    if (plan.fatSectors * kIdsPerSector >= total) break;
  }
  plan.difatFirst = plan.fatFirst + plan.fatSectors;
  return plan;
}

std::vector<std::uint8_t> Header(const Layout& plan) {
  LittleEndian out;
  out.Bytes({0xD0, 0xCF, 0x11, 0xE0, 0xA1, 0xB1, 0x1A, 0xE1});
  out.Zeros(16);    // class id
  out.U16(0x003E);  // minor version
  out.U16(0x0003);  // major version: 512-byte sectors
  out.U16(0xFFFE);  // little-endian
  out.U16(9);       // sector size 2^9
  out.U16(6);       // mini sector size 2^6
  out.Zeros(6);
  out.U32(0);  // directory sectors (always 0 in version 3)
  out.U32(static_cast<std::uint32_t>(plan.fatSectors));
  out.U32(static_cast<std::uint32_t>(plan.directory));
  out.U32(0);  // transaction signature
  out.U32(kMiniStreamCutoff);
  out.U32(kEndOfChain);  // no mini allocation table
  out.U32(0);
  out.U32(plan.difatSectors > 0 ? static_cast<std::uint32_t>(plan.difatFirst) : kEndOfChain);
  out.U32(static_cast<std::uint32_t>(plan.difatSectors));
  for (std::size_t i = 0; i < kHeaderTableIds; ++i) {
    out.U32(i < plan.fatSectors ? static_cast<std::uint32_t>(plan.fatFirst + i) : kFreeSect);
  }
  return out.Take();
}

void DirectoryEntry(LittleEndian& out, std::u16string_view name, std::uint8_t type,
                    std::uint32_t child, std::uint32_t start, std::uint64_t size) {
  for (std::size_t i = 0; i < 32; ++i) out.U16(i < name.size() ? name[i] : 0);
  out.U16(name.empty() ? 0 : static_cast<std::uint16_t>((name.size() + 1) * 2));
  out.U8(type);
  out.U8(type == 0 ? 0 : 1);  // black in the red-black tree
  out.U32(kNoStream);         // left sibling
  out.U32(kNoStream);         // right sibling
  out.U32(child);
  out.Zeros(16 + 4 + 8 + 8);  // class id, state bits, creation and modification times
  out.U32(start);
  out.U64(size);
}

std::vector<std::uint8_t> Directory(std::u16string_view streamName, std::uint64_t streamSize) {
  LittleEndian out;
  DirectoryEntry(out, u"Root Entry", 5, 1, kEndOfChain, 0);
  DirectoryEntry(out, streamName, 2, kNoStream, 0, streamSize);
  for (std::size_t i = 2; i < kSectorSize / kDirEntrySize; ++i) {
    DirectoryEntry(out, u"", 0, kNoStream, 0, 0);
  }
  return out.Take();
}

std::vector<std::uint8_t> AllocationTable(const Layout& plan) {
  std::vector<std::uint32_t> next(plan.fatSectors * kIdsPerSector, kFreeSect);
  for (std::size_t i = 0; i + 1 < plan.streamSectors; ++i) {
    next[i] = static_cast<std::uint32_t>(i + 1);
  }
  next[plan.streamSectors - 1] = kEndOfChain;
  next[plan.directory] = kEndOfChain;
  std::fill_n(next.begin() + static_cast<std::ptrdiff_t>(plan.fatFirst), plan.fatSectors, kFatSect);
  std::fill_n(next.begin() + static_cast<std::ptrdiff_t>(plan.difatFirst), plan.difatSectors,
              kDifSect);
  LittleEndian out;
  for (std::uint32_t id : next) out.U32(id);
  return out.Take();
}

// Table sectors 110 onwards: 127 per sector, each sector ending with the next one's number.
std::vector<std::uint8_t> ExtraTableSectors(const Layout& plan) {
  LittleEndian out;
  std::size_t listed = kHeaderTableIds;
  for (std::size_t s = 0; s < plan.difatSectors; ++s) {
    for (std::size_t i = 0; i < kIdsPerTableSector; ++i, ++listed) {
      out.U32(listed < plan.fatSectors ? static_cast<std::uint32_t>(plan.fatFirst + listed)
                                       : kFreeSect);
    }
    out.U32(s + 1 < plan.difatSectors ? static_cast<std::uint32_t>(plan.difatFirst + s + 1)
                                      : kEndOfChain);
  }
  return out.Take();
}

// The bytes as the sink takes them.
std::string_view AsText(std::span<const std::uint8_t> bytes) {
  return {reinterpret_cast<const char*>(bytes.data()), bytes.size()};
}

}  // namespace

void WriteCompoundFile(std::u16string_view streamName, std::span<const std::uint8_t> stream,
                       ByteSink& sink) {
  if (streamName.size() > 31) RaiseSheetError("a compound-document stream name is too long");
  const std::size_t size = std::max(stream.size(), kMiniStreamCutoff);
  const Layout plan = PlanLayout(size);
  if (plan.difatFirst + plan.difatSectors > kMaxSectors || size > 0x7FFFFFFF) {
    RaiseSheetError("the workbook is too large for an Excel 97-2003 file");
  }
  sink.Write(AsText(Header(plan)));
  sink.Write(AsText(stream));
  const std::vector<std::uint8_t> padding(plan.streamSectors * kSectorSize - stream.size(), 0);
  sink.Write(AsText(padding));
  sink.Write(AsText(Directory(streamName, size)));
  sink.Write(AsText(AllocationTable(plan)));
  sink.Write(AsText(ExtraTableSectors(plan)));
}

}  // namespace kvo::excel
