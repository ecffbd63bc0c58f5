// The workbook stream being built: records of a type and a body of at most 8,224 bytes, and the
// stream positions that other records point to.
#pragma once

#include <cstdint>
#include <span>
#include <vector>

#include "workbook/excel/xls/LittleEndian.h"

namespace kvo::excel {

inline constexpr std::size_t kMaxRecordBody = 8224;

class BiffStream {
 public:
  // Appends the record; raises the spreadsheet error (naming the record type) for a body longer
  // than kMaxRecordBody, which would need a continuation the record does not allow.
  void Record(std::uint16_t type, const LittleEndian& body);
  void Record(std::uint16_t type, std::span<const std::uint8_t> body);
  // Bytes of whole records written elsewhere, as they are.
  void Append(const BiffStream& records) { bytes_.Bytes(records.Bytes()); }
  // Empties the stream and keeps its room.
  void Clear() { bytes_.Clear(); }
  // Offset of the next record from the start of the stream.
  std::size_t Position() const { return bytes_.Size(); }
  // Overwrites a field written earlier (stream offset pos).
  void PatchU32(std::size_t pos, std::uint32_t v) { bytes_.PatchU32(pos, v); }
  const std::vector<std::uint8_t>& Bytes() const { return bytes_.View(); }
  // The stream's bytes, leaving it empty.
  std::vector<std::uint8_t> Take() { return bytes_.Take(); }

 private:
  LittleEndian bytes_;
};

// Substreams begin with BOF and end with EOF. Neither raises.
inline constexpr std::uint16_t kGlobalsSubstream = 0x0005;
inline constexpr std::uint16_t kSheetSubstream = 0x0010;
void WriteBof(BiffStream& out, std::uint16_t substream);
void WriteEof(BiffStream& out);

}  // namespace kvo::excel
