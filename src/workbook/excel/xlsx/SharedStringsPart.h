// The shared strings part: each distinct cell text once, numbered in order of first use.
#pragma once

#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/excel/store/TextIndex.h"
#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

class SharedStringsPart {
 public:
  // The number of the text (as CellText gives it), counting one more cell that shows it. A
  // stable text stays valid until the part is written and is not copied; any other is. Raises
  // only std::bad_alloc.
  std::uint32_t Use(std::string_view text, bool bStable);
  // Counts one more cell that shows a text numbered before. Raises nothing.
  void CountUse() { ++uses_; }
  bool Empty() const { return ordered_.empty(); }
  // Writes xl/sharedStrings.xml. Raises what the stream's sink raises.
  void Write(XmlStream& xml) const;

 private:
  TextIndex numbers_;
  std::vector<std::string_view> ordered_;  // the texts, by number
  std::deque<std::string> copies_;         // the texts that were not stable
  std::uint64_t uses_ = 0;
};

}  // namespace kvo::excel
