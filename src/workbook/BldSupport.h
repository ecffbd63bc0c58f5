// What the builder's operations share: row-cursor arithmetic, access to array slots and child
// lists, each failing with the run-time error its handler reports, and the characters of block
// names.
#pragma once

#include <kvoexportexcel/RunError.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "config/StrPart.h"
#include "config/TextConvert.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::bld {

// lRow moved down by lRows; a cursor beyond the largest 32-bit row is an overflow.
inline std::int32_t RowAfter(std::int32_t lRow, std::int64_t lRows) {
  const std::int64_t lNext = std::int64_t{lRow} + lRows;
  if (lNext > std::numeric_limits<std::int32_t>::max()) throw RunError(kErrOverflow, "Overflow");
  return static_cast<std::int32_t>(lNext);
}
inline void Advance(std::int32_t& lRow, std::int64_t lRows = 1) {
  lRow = RowAfter(lRow, lRows);
}

// Slot lIndex of an array; outside it a subscript error.
template <class T>
const T& SlotAt(const std::vector<T>& arr, std::int64_t lIndex) {
  if (lIndex < 0 || lIndex >= static_cast<std::int64_t>(arr.size())) {
    throw RunError(kErrSubscript, "Subscript out of range");
  }
  return arr[static_cast<std::size_t>(lIndex)];
}

// Child lists hold slot indexes each followed by "!" ("2!5!9!"); a trailing index without its
// "!" is not read.  FirstChild gives the first index (false when none is left; a token that is
// no whole number raises), RestOfChildren the list after it.
inline bool FirstChild(const std::string& sList, std::int32_t& lIndex) {
  const std::string sToken = StrPart(sList, "!", false, true);
  if (sToken.empty()) return false;
  lIndex = TextToLong(sToken);
  return true;
}
inline std::string RestOfChildren(const std::string& sList) {
  return StrPart(sList, "!", true, true);
}

// The text as a part of a defined name: letters, digits and "_" stay, any other character becomes
// "_" and its code (the code point of a UTF-8 sequence, the byte value of a byte that starts
// none). Raises nothing but std::bad_alloc.
inline std::string GetValidName(const std::string& sText) {
  const auto isNameChar = [](unsigned char c) {
    return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_';
  };
  std::string sName;
  for (std::size_t pos = 0; pos < sText.size();) {
    const auto c = static_cast<unsigned char>(sText[pos]);
    if (isNameChar(c)) {
      sName += static_cast<char>(c);
      ++pos;
      continue;
    }
    const excel::Utf8Char tChar = excel::DecodeUtf8(sText, pos);
    const std::uint32_t lCode = tChar.valid ? static_cast<std::uint32_t>(tChar.cp) : c;
    sName += "_" + std::to_string(lCode);
    pos += tChar.valid ? tChar.length : 1;
  }
  return sName;
}

}  // namespace kvo::bld
