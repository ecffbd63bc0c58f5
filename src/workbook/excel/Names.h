// The defined names of a worksheet: sheet-local names for areas of the sheet.
#pragma once

#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

class Range;
class Worksheet;

struct DefinedName {
  std::string name;
  Rect refersTo;
};

class Names {
 public:
  explicit Names(Worksheet& sheet) : sheet_(&sheet) {}
  Names(const Names&) = delete;
  Names& operator=(const Names&) = delete;

  // Adds a name local to the sheet for the area of refersTo (usually a whole row, Rows(n)).
  // An invalid name, one longer than the sheet's file format stores, a name already there (in
  // any letter case) or an area on another sheet raises.
  void Add(std::string_view name, const Range& refersTo);

  std::size_t Count() const { return names_.size(); }
  // The area a name refers to, looked up regardless of letter case.
  std::optional<Rect> RefersTo(std::string_view name) const;
  // All names in the order they were added.
  const std::vector<DefinedName>& Items() const { return names_; }
  void Clear();

 private:
  Worksheet* sheet_;
  std::vector<DefinedName> names_;
  std::map<std::string, std::size_t> byKey_;
};

}  // namespace kvo::excel
