// The shared-string table: every distinct cell text once, in the order first used, written as
// the SST record with its CONTINUE records and the EXTSST index into it.
#include "workbook/excel/xls/SharedStrings.h"

#include <algorithm>

#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/xls/XlsText.h"

namespace kvo::excel {

namespace {

constexpr std::uint16_t kSst = 0x00FC;
constexpr std::uint16_t kContinue = 0x003C;
constexpr std::uint16_t kExtSst = 0x00FF;
constexpr std::size_t kRecordHeader = 4;
constexpr std::size_t kStringHeader = 3;  // unit count and option byte
constexpr std::size_t kMaxBuckets = 128;

// Where one bucket of the index starts: its first string's stream position and its offset in
// the record holding it (counting the record header).
struct Bucket {
  std::uint32_t position;
  std::uint16_t offset;
};

// Fills records of at most kMaxRecordBody bytes: the SST first, CONTINUE records after it.
class SstRecords {
 public:
  explicit SstRecords(BiffStream& out) : out_(out) {}

  std::size_t Room() const { return kMaxRecordBody - body_.Size(); }
  LittleEndian& Body() { return body_; }
  // Where the next byte of the body will lie.
  Bucket Here() const {
    const std::size_t offset = kRecordHeader + body_.Size();
    return {static_cast<std::uint32_t>(out_.Position() + offset),
            static_cast<std::uint16_t>(offset)};
  }
  void Flush() {
    out_.Record(first_ ? kSst : kContinue, body_);
    body_.Clear();
    first_ = false;
  }

 private:
  BiffStream& out_;
  LittleEndian body_;
  bool first_ = true;
};

// One string, split across records where needed: a continued part starts with the option
// byte again; the two halves of a character beyond U+FFFF stay together.
void WriteString(SstRecords& records, std::u16string_view text) {
  const bool compressed = IsCompressible(text);
  const std::size_t unitSize = compressed ? 1 : 2;
  records.Body().U16(static_cast<std::uint16_t>(text.size()));
  records.Body().U8(compressed ? 0 : 1);
  std::size_t pos = 0;
  while (true) {
    std::size_t n = std::min(records.Room() / unitSize, text.size() - pos);
    const bool splitsPair = n > 0 && pos + n < text.size() && text[pos + n - 1] >= 0xD800 &&
                            text[pos + n - 1] <= 0xDBFF;
    if (splitsPair) --n;
    AppendUnits(records.Body(), text.substr(pos, n), compressed);
    pos += n;
    if (pos == text.size()) return;
    records.Flush();
    records.Body().U8(compressed ? 0 : 1);
  }
}

}  // namespace

std::uint32_t SharedStrings::Find(std::u16string_view text, std::uint32_t hash) const {
  return index_.Find(hash, [&](std::uint32_t index) { return Text(index) == text; });
}

std::uint32_t SharedStrings::Add(std::u16string_view text) {
  const std::uint32_t hash = HashText(text);
  ++uses_;
  if (const std::uint32_t found = Find(text, hash); found != TextIndex::kNone) return found;
  const auto index = static_cast<std::uint32_t>(starts_.size() - 1);
  units_.insert(units_.end(), text.begin(), text.end());
  starts_.push_back(units_.size());
  index_.Add(hash, index);
  return index;
}

std::uint32_t SharedStrings::IndexOf(std::u16string_view text) const {
  const std::uint32_t found = Find(text, HashText(text));
  if (found == TextIndex::kNone)
    RaiseSheetError("a cell text is missing from the shared-string table");
  return found;
}

void SharedStrings::Write(BiffStream& out) const {
  const std::size_t count = starts_.size() - 1;
  const std::size_t perBucket = std::max<std::size_t>(8, count / kMaxBuckets + 1);
  std::vector<Bucket> buckets;
  SstRecords records(out);
  records.Body().U32(uses_);
  records.Body().U32(static_cast<std::uint32_t>(count));
  for (std::size_t i = 0; i < count; ++i) {
    const std::u16string_view text = Text(static_cast<std::uint32_t>(i));
    // A string starts where its header and first unit fit.
    const std::size_t unitSize = IsCompressible(text) ? 1 : 2;
    if (records.Room() < kStringHeader + (text.empty() ? 0 : unitSize)) records.Flush();
    if (i % perBucket == 0) buckets.push_back(records.Here());
    WriteString(records, text);
  }
  records.Flush();

  LittleEndian index;
  index.U16(static_cast<std::uint16_t>(perBucket));
  for (const Bucket& bucket : buckets) {
    index.U32(bucket.position);
    index.U16(bucket.offset);
    index.U16(0);
  }
  out.Record(kExtSst, index);
}

}  // namespace kvo::excel
