// The defined names of a worksheet: sheet-local names for areas of the sheet.
#include "workbook/excel/Names.h"

#include "workbook/excel/NameRules.h"
#include "workbook/excel/Range.h"
#include "workbook/excel/Worksheet.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/SheetStore.h"

namespace kvo::excel {

void Names::Add(std::string_view name, const Range& refersTo) {
  sheet_->Store().CheckOpen();
  const std::string shown(name.substr(0, 64));
  const auto fail = [&](const std::string& why) {
    RaiseSheetError("Name \"" + shown + (name.size() > 64 ? "...\"" : "\"") + " on sheet " +
                    sheet_->Name() + " is not allowed: " + why);
  };
  if (&refersTo.Parent() != sheet_) fail("it refers to another sheet");
  if (auto violation = NameRuleViolation(name)) fail(*violation);
  const std::size_t maxLength = sheet_->MaxNameLength();
  if (name.size() > maxLength) {
    fail("the workbook file stores sheet-local names of at most " + std::to_string(maxLength) +
         " characters");
  }
  std::string key = AsciiLower(name);
  if (byKey_.contains(key)) fail("the sheet has this name already");
  byKey_.emplace(std::move(key), names_.size());
  names_.push_back({std::string(name), refersTo.Area()});
}

std::optional<Rect> Names::RefersTo(std::string_view name) const {
  auto it = byKey_.find(AsciiLower(name));
  if (it == byKey_.end()) return std::nullopt;
  return names_[it->second].refersTo;
}

void Names::Clear() {
  names_.clear();
  byKey_.clear();
}

}  // namespace kvo::excel
