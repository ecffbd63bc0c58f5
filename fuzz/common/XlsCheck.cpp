// Reading an .xls workbook back: compound document, workbook stream, BIFF records.
#include "XlsCheck.h"

#include <map>
#include <set>
#include <vector>

#include "FuzzCheck.h"

namespace kvo::fuzz {

namespace {

constexpr std::size_t kSector = 512;
constexpr std::size_t kHeaderTableIds = 109;
constexpr std::uint32_t kFree = 0xFFFFFFFF;
constexpr std::uint32_t kEndOfChain = 0xFFFFFFFE;
constexpr std::uint32_t kFatSector = 0xFFFFFFFD;
constexpr std::uint32_t kDifatSector = 0xFFFFFFFC;
constexpr std::uint32_t kNoStream = 0xFFFFFFFF;
constexpr std::size_t kMiniCutoff = 4096;
constexpr std::size_t kMaxRecordBody = 8224;

constexpr std::uint16_t kBof = 0x0809;
constexpr std::uint16_t kEof = 0x000A;
constexpr std::uint16_t kBoundSheet = 0x0085;
constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kIndex = 0x020B;
constexpr std::uint16_t kDbCell = 0x00D7;
constexpr std::uint16_t kBlank = 0x0201;
constexpr std::uint16_t kMulBlank = 0x00BE;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kRk = 0x027E;
constexpr std::uint16_t kMulRk = 0x00BD;
constexpr std::uint16_t kLabel = 0x0204;
constexpr std::uint16_t kBoolErr = 0x0205;

std::uint16_t U16(std::string_view s, std::size_t at) {
  Require(at + 2 <= s.size(), "field past the end");
  return static_cast<std::uint16_t>(static_cast<unsigned char>(s[at]) |
                                    static_cast<unsigned char>(s[at + 1]) << 8);
}

std::uint32_t U32(std::string_view s, std::size_t at) {
  return U16(s, at) | static_cast<std::uint32_t>(U16(s, at + 2)) << 16;
}

// The sectors of a compound document and their allocation table.
class Sectors {
 public:
  explicit Sectors(std::string_view file)
      : file_(file), count_((file.size() - kSector) / kSector) {}

  std::size_t Count() const { return count_; }
  std::string_view At(std::uint32_t id) const {
    Require(id < count_, "sector number past the file");
    return file_.substr(kSector + std::size_t{id} * kSector, kSector);
  }
  // Marks a sector used; a sector in two places is a fault.
  void Use(std::uint32_t id) { Require(used_.insert(id).second, "a sector is used twice"); }
  void SetTable(std::vector<std::uint32_t> next) { next_ = std::move(next); }
  std::uint32_t Next(std::uint32_t id) const {
    Require(id < next_.size(), "sector beyond the allocation table");
    return next_[id];
  }
  // The sectors of a chain, in order.
  std::vector<std::uint32_t> Chain(std::uint32_t first) {
    std::vector<std::uint32_t> chain;
    for (std::uint32_t id = first; id != kEndOfChain; id = Next(id)) {
      Require(id < count_, "chain leaves the file");
      Use(id);
      chain.push_back(id);
    }
    return chain;
  }

 private:
  std::string_view file_;
  std::size_t count_;
  std::vector<std::uint32_t> next_;
  std::set<std::uint32_t> used_;
};

// The allocation table, from the sectors the header and the extension chain list.
void ReadAllocationTable(std::string_view header, Sectors& sectors) {
  const std::uint32_t fatCount = U32(header, 0x2C);
  const std::uint32_t difatFirst = U32(header, 0x44);
  const std::uint32_t difatCount = U32(header, 0x48);
  Require(fatCount >= 1 && fatCount <= sectors.Count(), "allocation table sector count");
  std::vector<std::uint32_t> fatIds;
  for (std::size_t i = 0; i < kHeaderTableIds; ++i) {
    const std::uint32_t id = U32(header, 0x4C + 4 * i);
    if (i < fatCount) {
      fatIds.push_back(id);
    } else {
      Require(id == kFree, "header lists more table sectors than it counts");
    }
  }
  std::vector<std::uint32_t> difatIds;
  std::uint32_t id = difatCount == 0 ? kEndOfChain : difatFirst;
  for (std::uint32_t n = 0; n < difatCount; ++n) {
    Require(id != kEndOfChain, "table extension chain too short");
    difatIds.push_back(id);
    const std::string_view sector = sectors.At(id);
    for (std::size_t i = 0; i < kSector / 4 - 1; ++i) {
      const std::uint32_t entry = U32(sector, 4 * i);
      if (fatIds.size() < fatCount) {
        fatIds.push_back(entry);
      } else {
        Require(entry == kFree, "table extension lists more sectors than counted");
      }
    }
    id = U32(sector, kSector - 4);
  }
  Require(id == kEndOfChain || difatCount == 0, "table extension chain does not end");
  Require(difatCount != 0 || difatFirst == kEndOfChain,
          "unused extension start is not end-of-chain");
  Require(fatIds.size() == fatCount, "table sectors missing");

  std::vector<std::uint32_t> next;
  for (std::uint32_t fat : fatIds) {
    sectors.Use(fat);
    const std::string_view sector = sectors.At(fat);
    for (std::size_t i = 0; i < kSector / 4; ++i) next.push_back(U32(sector, 4 * i));
  }
  for (std::uint32_t fat : fatIds)
    Require(fat < next.size() && next[fat] == kFatSector, "table sector not marked");
  for (std::uint32_t difat : difatIds) {
    sectors.Use(difat);
    Require(difat < next.size() && next[difat] == kDifatSector, "extension sector not marked");
  }
  Require(next.size() >= sectors.Count(), "table does not cover the file");
  for (std::size_t i = sectors.Count(); i < next.size(); ++i) {
    Require(next[i] == kFree, "table allocates sectors past the file");
  }
  sectors.SetTable(std::move(next));
}

struct DirEntry {
  std::u16string name;
  std::uint8_t type;
  std::uint32_t left, right, child, start;
  std::uint64_t size;
};

std::vector<DirEntry> ReadDirectory(std::string_view header, Sectors& sectors) {
  std::vector<DirEntry> entries;
  for (std::uint32_t id : sectors.Chain(U32(header, 0x30))) {
    const std::string_view sector = sectors.At(id);
    for (std::size_t at = 0; at < kSector; at += 128) {
      const std::string_view e = sector.substr(at, 128);
      DirEntry entry{};
      const std::uint16_t nameBytes = U16(e, 0x40);
      Require(nameBytes <= 64 && nameBytes % 2 == 0, "directory name length");
      for (std::size_t i = 0; i + 2 < nameBytes; i += 2)
        entry.name += static_cast<char16_t>(U16(e, i));
      Require(nameBytes == 0 || U16(e, nameBytes - 2) == 0, "directory name without its NUL");
      entry.type = static_cast<std::uint8_t>(e[0x42]);
      Require(entry.type <= 5 && entry.type != 3 && entry.type != 4, "directory entry type");
      entry.left = U32(e, 0x44);
      entry.right = U32(e, 0x48);
      entry.child = U32(e, 0x4C);
      entry.start = U32(e, 0x74);
      entry.size = U32(e, 0x78) | static_cast<std::uint64_t>(U32(e, 0x7C)) << 32;
      entries.push_back(entry);
    }
  }
  Require(!entries.empty() && entries[0].type == 5, "directory does not start with the root");
  return entries;
}

// The stream named name among the root's children, found through the sibling tree.
const DirEntry& FindStream(const std::vector<DirEntry>& entries, std::u16string_view name) {
  std::vector<std::uint32_t> pending{entries[0].child};
  std::set<std::uint32_t> seen;
  const DirEntry* found = nullptr;
  while (!pending.empty()) {
    const std::uint32_t id = pending.back();
    pending.pop_back();
    if (id == kNoStream) continue;
    Require(id < entries.size() && id != 0, "directory link out of range");
    Require(seen.insert(id).second, "directory tree has a loop");
    const DirEntry& entry = entries[id];
    Require(entry.type == 1 || entry.type == 2, "directory tree reaches an unused entry");
    if (entry.name == name) found = &entry;
    pending.push_back(entry.left);
    pending.push_back(entry.right);
  }
  Require(found != nullptr && found->type == 2, "workbook stream not in the directory");
  return *found;
}

// One substream from its BOF to its EOF: record offsets and types, and its cells.
struct Substream {
  std::size_t end = 0;
  std::map<std::size_t, std::uint16_t> records;  // offset, type
  std::int64_t cells = 0;
  std::uint32_t sheetPosition = 0;            // BOUNDSHEET
  std::uint32_t strings = 0;                  // SST: distinct strings
  std::vector<std::uint32_t> labelStrings;    // LABELSST: string indexes
  std::vector<std::uint32_t> blockPositions;  // INDEX: DBCELL offsets
};

Substream WalkSubstream(std::string_view stream, std::size_t pos, std::uint16_t kind) {
  Substream out;
  std::uint16_t previous = 0;
  for (bool first = true;; first = false) {
    Require(pos + 4 <= stream.size(), "substream without EOF");
    const std::uint16_t type = U16(stream, pos);
    const std::uint16_t length = U16(stream, pos + 2);
    Require(length <= kMaxRecordBody, "record longer than a record may be");
    Require(pos + 4 + length <= stream.size(), "record past the stream");
    const std::string_view body = stream.substr(pos + 4, length);
    out.records.emplace(pos, type);
    if (first) {
      Require(type == kBof && length == 16, "substream does not start with BOF");
      Require(U16(body, 0) == 0x0600 && U16(body, 2) == kind, "BOF of another version or kind");
    }
    switch (type) {
      case kBoundSheet:
        out.sheetPosition = U32(body, 0);
        break;
      case kSst:
        out.strings = U32(body, 4);
        break;
      case kContinue:
        Require(previous == kSst || previous == kContinue, "CONTINUE after no SST");
        break;
      case kIndex:
        Require(length >= 16 && length % 4 == 0, "INDEX length");
        for (std::size_t at = 16; at < length; at += 4) out.blockPositions.push_back(U32(body, at));
        break;
      case kBlank:
      case kNumber:
      case kRk:
      case kLabel:
      case kBoolErr:
        ++out.cells;
        break;
      case kLabelSst:
        Require(length == 10, "LABELSST length");
        out.labelStrings.push_back(U32(body, 6));
        ++out.cells;
        break;
      case kMulBlank:
      case kMulRk: {
        const std::size_t unit = type == kMulBlank ? 2 : 6;
        Require(length >= 6 && (length - 6) % unit == 0, "MULBLANK or MULRK length");
        const std::size_t count = (length - 6) / unit;
        Require(count >= 2 && U16(body, length - 2) - U16(body, 2) + 1u == count,
                "MULBLANK or MULRK columns");
        out.cells += static_cast<std::int64_t>(count);
        break;
      }
      default:
        break;
    }
    previous = type;
    pos += 4 + length;
    if (type == kEof) break;
  }
  out.end = pos;
  return out;
}

}  // namespace

XlsContents CheckXls(std::string_view file) {
  Require(file.size() >= 2 * kSector && file.size() % kSector == 0,
          "file is no whole number of sectors");
  const std::string_view header = file.substr(0, kSector);
  Require(header.substr(0, 8) == "\xD0\xCF\x11\xE0\xA1\xB1\x1A\xE1", "compound document signature");
  Require(U16(header, 0x1A) == 3 && U16(header, 0x1C) == 0xFFFE, "version or byte order");
  Require(U16(header, 0x1E) == 9 && U16(header, 0x20) == 6, "sector sizes");
  Require(U32(header, 0x28) == 0, "version 3 counts no directory sectors");
  Require(U32(header, 0x38) == kMiniCutoff, "mini stream cutoff");

  Sectors sectors(file);
  ReadAllocationTable(header, sectors);
  const std::vector<DirEntry> entries = ReadDirectory(header, sectors);
  const DirEntry& workbook = FindStream(entries, u"Workbook");
  Require(workbook.size >= kMiniCutoff, "workbook stream belongs in the mini stream");
  const std::vector<std::uint32_t> chain = sectors.Chain(workbook.start);
  Require(chain.size() == (workbook.size + kSector - 1) / kSector, "stream chain length");

  XlsContents out;
  for (std::uint32_t id : chain) out.stream += sectors.At(id);
  out.stream.resize(workbook.size);

  const Substream globals = WalkSubstream(out.stream, 0, 0x0005);
  Require(globals.sheetPosition == globals.end, "BOUNDSHEET does not point at the sheet");
  const Substream sheet = WalkSubstream(out.stream, globals.end, 0x0010);
  for (std::size_t at = sheet.end; at < out.stream.size(); ++at) {
    Require(out.stream[at] == '\0', "bytes other than padding after the sheet");
  }
  for (std::uint32_t index : sheet.labelStrings) {
    Require(index < globals.strings, "LABELSST past the shared strings");
  }
  for (std::uint32_t position : sheet.blockPositions) {
    const auto record = sheet.records.find(position);
    Require(record != sheet.records.end() && record->second == kDbCell,
            "INDEX points at no DBCELL");
  }
  out.cells = sheet.cells;
  return out;
}

}  // namespace kvo::fuzz
