// The shared strings part: each distinct cell text once, numbered in order of first use.
#pragma once

#include <cstdint>
#include <functional>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

class SharedStringsPart {
 public:
  // The number of the text (as CellText gives it), counting one more cell that shows it. Raises
  // only std::bad_alloc.
  std::uint32_t Use(std::string_view text);
  bool Empty() const { return ordered_.empty(); }
  // Writes xl/sharedStrings.xml. Raises what the stream's sink raises.
  void Write(XmlStream& xml) const;

 private:
  struct Hash {
    using is_transparent = void;
    std::size_t operator()(std::string_view text) const {
      return std::hash<std::string_view>{}(text);
    }
  };

  std::unordered_map<std::string, std::uint32_t, Hash, std::equal_to<>> numbers_;
  std::vector<const std::string*> ordered_;  // keys of numbers_, by number
  std::uint64_t uses_ = 0;
};

}  // namespace kvo::excel
