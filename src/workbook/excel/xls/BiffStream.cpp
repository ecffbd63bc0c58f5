// The workbook stream being built: records of a type and a body of at most 8,224 bytes, and the
// stream positions that other records point to.
#include "workbook/excel/xls/BiffStream.h"

#include <algorithm>
#include <cstdio>
#include <string>

#include "workbook/excel/store/SheetError.h"

namespace kvo::excel {

void BiffStream::Record(std::uint16_t type, const LittleEndian& body) {
  Record(type, std::span<const std::uint8_t>(body.View()));
}

void BiffStream::Record(std::uint16_t type, std::span<const std::uint8_t> body) {
  if (body.size() > kMaxRecordBody) {
    char hex[8];
    std::snprintf(hex, sizeof hex, "%04X", type);
    RaiseSheetError("record 0x" + std::string(hex) + " holds " + std::to_string(body.size()) +
                    " bytes, more than one record takes");
  }
  std::uint8_t* at = bytes_.Grow(4 + body.size());
  at[0] = static_cast<std::uint8_t>(type);
  at[1] = static_cast<std::uint8_t>(type >> 8);
  at[2] = static_cast<std::uint8_t>(body.size());
  at[3] = static_cast<std::uint8_t>(body.size() >> 8);
  std::copy(body.begin(), body.end(), at + 4);
}

void WriteBof(BiffStream& out, std::uint16_t substream) {
  LittleEndian body;
  body.U16(0x0600);  // BIFF8
  body.U16(substream);
  body.U16(0x0DBB);  // build and year of the application version the records follow
  body.U16(0x07CC);
  body.U32(0);     // file history
  body.U32(0x06);  // lowest version that reads every record: BIFF8
  out.Record(0x0809, body);
}

void WriteEof(BiffStream& out) {
  out.Record(0x000A, LittleEndian());
}

}  // namespace kvo::excel
