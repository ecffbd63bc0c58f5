// Checks the builder's operations share: row-cursor arithmetic, access to array slots and child
// lists, each failing with the run-time error its handler reports.
#pragma once

#include <kvoexportexcel/RunError.h>

#include <cstddef>
#include <cstdint>
#include <limits>
#include <string>
#include <vector>

#include "config/StrPart.h"
#include "config/TextConvert.h"

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

}  // namespace kvo::bld
