// The shared-string table: every distinct cell text once, in the order first used, written as
// the SST record with its CONTINUE records and the EXTSST index into it.
#pragma once

#include <cstdint>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/excel/store/TextIndex.h"
#include "workbook/excel/xls/BiffStream.h"

namespace kvo::excel {

class SharedStrings {
 public:
  // Counts one more cell showing the text (at most 32,767 units), adding the text when it is
  // new; returns its index. Raises only std::bad_alloc.
  std::uint32_t Add(std::u16string_view text);
  // Counts one more cell showing the text of an index Add gave. Raises nothing.
  void CountUse() { ++uses_; }
  // Index of a text added before; raises the spreadsheet error for any other.
  std::uint32_t IndexOf(std::u16string_view text) const;

  // SST (continued as needed) and EXTSST. Raises nothing.
  void Write(BiffStream& out) const;

 private:
  std::u16string_view Text(std::uint32_t index) const {
    return {units_.data() + starts_[index], starts_[index + 1] - starts_[index]};
  }
  std::uint32_t Find(std::u16string_view text, std::uint32_t hash) const;

  // The texts one after another; text i runs from starts_[i] to starts_[i + 1].
  std::vector<char16_t> units_;
  std::vector<std::size_t> starts_{0};
  TextIndex index_;
  std::uint32_t uses_ = 0;
};

}  // namespace kvo::excel
