// The shared-string table: every distinct cell text once, in the order first used, written as
// the SST record with its CONTINUE records and the EXTSST index into it.
#pragma once

#include <cstdint>
#include <string>
#include <unordered_map>
#include <vector>

#include "workbook/excel/xls/BiffStream.h"

namespace kvo::excel {

class SharedStrings {
 public:
  // Counts one more cell showing the text (at most 32,767 units), adding the text when it is
  // new. Raises nothing.
  void Add(const std::u16string& text);
  // Index of a text added before; raises the spreadsheet error for any other.
  std::uint32_t IndexOf(const std::u16string& text) const;

  // SST (continued as needed) and EXTSST. Raises nothing.
  void Write(BiffStream& out) const;

 private:
  std::unordered_map<std::u16string, std::uint32_t> index_;
  std::vector<const std::u16string*> order_;  // keys of index_, by index
  std::uint32_t uses_ = 0;
};

}  // namespace kvo::excel
