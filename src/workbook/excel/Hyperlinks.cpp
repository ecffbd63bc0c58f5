// The hyperlinks of a worksheet, one per anchor cell.
#include "workbook/excel/Hyperlinks.h"

#include "workbook/excel/CellAddress.h"
#include "workbook/excel/CellValue.h"
#include "workbook/excel/LinkTargets.h"
#include "workbook/excel/Range.h"
#include "workbook/excel/SheetError.h"
#include "workbook/excel/SheetModel.h"
#include "workbook/excel/Utf8.h"
#include "workbook/excel/Worksheet.h"

namespace kvo::excel {

void Hyperlinks::Add(const Range& anchor, std::string_view address, std::string_view subAddress,
                     std::string_view screenTip, std::string_view textToDisplay) {
  model_->CheckOpen();
  const Rect cell = Rect::Cell(anchor.Row(), anchor.Column());
  const CellKey key = KeyOf(cell.top, cell.left);
  const std::string where =
      "Hyperlink in cell " + AbsoluteAddress(cell) + " of sheet " + model_->Name();
  if (&anchor.Parent().Model() != model_)
    RaiseSheetError(where + ": the anchor is on another sheet");
  if (address.empty() && subAddress.empty())
    RaiseSheetError(where + ": no address and no sub-address");
  if (KindOfLink(address) == LinkKind::Internal && subAddress.find('#') != subAddress.npos) {
    RaiseSheetError(where + ": the sub-address contains \"#\"");
  }
  if (Utf8Length(screenTip) > kMaxScreenTip) {
    RaiseSheetError(where + ": the screen tip has more than 255 characters");
  }
  if (!links_.contains(key) && links_.size() >= kMaxLinks) {
    RaiseSheetError(where + ": a sheet holds at most 65,530 hyperlinks");
  }

  if (!textToDisplay.empty()) {
    model_->SetValue(cell, CellValue::Text(std::string(textToDisplay)));
  } else if (model_->ValueAt(cell.top, cell.left) == nullptr) {
    model_->SetValue(cell, CellValue::Text(std::string(address.empty() ? subAddress : address)));
  }

  const std::string validAddress = ValidUtf8(address);
  const std::string validSubAddress = ValidUtf8(subAddress);
  if (Utf8Length(StoredLinkTarget(validAddress, validSubAddress)) > kMaxLinkLength ||
      Utf8Length(validSubAddress) > kMaxLinkLength) {
    links_.erase(key);
    RaiseSheetError(where + ": the link target is longer than the " +
                    std::to_string(kMaxLinkLength) + " characters a workbook file allows");
  }

  links_[key] = {std::string(address), std::string(subAddress), std::string(screenTip)};
  FormatLayers& formats = model_->Formats();
  formats.Apply(cell, FormatProperty::Underline, 1);
  formats.Apply(cell, FormatProperty::FontColor, kLinkColor);
}

const Hyperlink* Hyperlinks::At(std::int32_t row, std::int32_t col) const {
  auto it = links_.find(KeyOf(row, col));
  return it == links_.end() ? nullptr : &it->second;
}

}  // namespace kvo::excel
