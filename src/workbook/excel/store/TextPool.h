// The texts of a sheet's cells, each distinct text stored once and known by its number, with
// what row-height fitting needs of it worked out once.
#pragma once

#include <cstdint>
#include <string_view>
#include <vector>

#include "workbook/excel/store/TextArena.h"
#include "workbook/excel/store/TextIndex.h"

namespace kvo::excel {

class TextPool {
 public:
  // Numbers run from 0 up in order of first storing; kNoText stands for none.
  static constexpr std::uint32_t kNoText = 0xFFFFFFFF;

  // The number of the text, which is stored when it is new: equal texts get the same number.
  // Raises only std::bad_alloc.
  std::uint32_t Intern(std::string_view text);
  // The text of a number Intern gave (valid until Clear); nothing else is checked.
  std::string_view Text(std::uint32_t id) const {
    const Entry& entry = entries_[id];
    return {entry.data, entry.length};
  }
  // The text's width on one line in font units (see LineUnits in TextLines.h).
  std::uint32_t LineUnits(std::uint32_t id) const { return entries_[id].lineUnits; }
  std::size_t Count() const { return entries_.size(); }
  void Clear();

 private:
  struct Entry {
    const char* data;
    std::uint32_t length;
    std::uint32_t lineUnits;
  };

  TextArena bytes_;
  std::vector<Entry> entries_;
  TextIndex index_;
};

}  // namespace kvo::excel
