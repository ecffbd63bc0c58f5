// The format properties one whole-sheet, column or row target has been given, each with the
// sequence stamp of the operation that set it.
#pragma once

#include <cstdint>
#include <vector>

#include "workbook/excel/store/CellFormat.h"

namespace kvo::excel {

// Only the properties set are kept: most rows that get a look of their own get one or two.
class FormatLayer {
 public:
  struct Entry {
    std::uint64_t stamp = 0;  // 0: never set
    double value = 0;
  };

  void Set(FormatProperty property, double value, std::uint64_t stamp) {
    for (Slot& slot : slots_) {
      if (slot.property == property) {
        slot.entry = {stamp, value};
        return;
      }
    }
    slots_.push_back({property, {stamp, value}});
  }
  Entry Get(FormatProperty property) const {
    for (const Slot& slot : slots_) {
      if (slot.property == property) return slot.entry;
    }
    return {};
  }

 private:
  struct Slot {
    FormatProperty property;
    Entry entry;
  };
  std::vector<Slot> slots_;
};

}  // namespace kvo::excel
