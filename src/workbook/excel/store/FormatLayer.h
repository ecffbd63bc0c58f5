// The format properties one whole-sheet, column or row target has been given, each with the
// sequence stamp of the operation that set it.
#pragma once

#include <array>
#include <cstdint>
#include <vector>

#include "workbook/excel/store/CellFormat.h"

namespace kvo::excel {

class FormatLayer {
 public:
  struct Entry {
    std::uint64_t stamp = 0;  // 0: never set
    double value = 0;
  };

  void Set(FormatProperty property, double value, std::uint64_t stamp) {
    entries_[static_cast<std::size_t>(property)] = {stamp, value};
  }
  const Entry& Get(FormatProperty property) const {
    return entries_[static_cast<std::size_t>(property)];
  }

 private:
  std::array<Entry, kFormatPropertyCount> entries_{};
};

}  // namespace kvo::excel
