// The hyperlinks of a worksheet, one per anchor cell.
#include "workbook/excel/Hyperlinks.h"

#include "config/TextConvert.h"

#include "workbook/excel/Range.h"
#include "workbook/excel/Worksheet.h"
#include "workbook/excel/resolved/SheetResolver.h"
#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/CellValue.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/SheetStore.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

void Hyperlinks::Add(const Range& anchor, std::string_view address, std::string_view subAddress,
                     std::string_view screenTip, std::string_view textToDisplay) {
  SheetStore& store = sheet_->Store();
  store.CheckOpen();
  const FileFormat& format = sheet_->Format();
  const Rect cell = Rect::Cell(anchor.Row(), anchor.Column());
  const CellKey key = KeyOf(cell.top, cell.left);
  // The message is built only when the link is refused.
  const auto fail = [&](const std::string& why) {
    RaiseSheetError("Hyperlink in cell " + AbsoluteAddress(cell) + " of sheet " + sheet_->Name() +
                    ": " + why);
  };
  if (&anchor.Parent() != sheet_) fail("the anchor is on another sheet");
  if (address.empty() && subAddress.empty()) fail("no address and no sub-address");
  const ResolvedLink::Kind kind = KindOfLink(address);
  if (kind == ResolvedLink::Kind::Internal && subAddress.find('#') != subAddress.npos) {
    fail("the sub-address contains \"#\"");
  }
  if (Utf8Length(screenTip) > kMaxScreenTip) {
    fail("the screen tip has more than 255 characters");
  }
  if (!links_.contains(key) && Full()) {
    fail("a sheet holds at most " +
         GroupedNumber(static_cast<std::int64_t>(format.limits.linksPerSheet)) + " hyperlinks");
  }
  if (!TargetFits(address, subAddress)) {
    fail("the link target is longer than the " + std::to_string(format.limits.linkAddressLength) +
         " characters a workbook file allows");
  }

  // Only a link that is taken changes the cell.
  if (!textToDisplay.empty()) {
    sheet_->SetText(cell, textToDisplay);
  } else if (!store.HasValue(cell.top, cell.left)) {
    sheet_->SetText(cell, address.empty() ? subAddress : address);
  }
  links_[key] = {std::string(address), std::string(subAddress), std::string(screenTip)};
  const SheetStore::FormatSetting look[] = {
      {FormatProperty::Underline, 1},
      {FormatProperty::FontColor, FormatTable::ColorValue(kLinkColor)}};
  store.ApplyFormats(cell, look);
}

bool Hyperlinks::Full() const {
  return links_.size() >= sheet_->Limits().linksPerSheet;
}

bool Hyperlinks::TargetFits(std::string_view address, std::string_view subAddress) const {
  const FileFormat& format = sheet_->Format();
  if (measured_.format == &format && measured_.address == address &&
      measured_.subAddress == subAddress) {
    return measured_.fits;
  }
  // Only a text that needs repairing is copied.
  std::string repairedAddress, repairedSubAddress;
  std::string_view validAddress = address, validSubAddress = subAddress;
  if (!IsValidUtf8(address)) validAddress = repairedAddress = ValidUtf8(address);
  if (!IsValidUtf8(subAddress)) validSubAddress = repairedSubAddress = ValidUtf8(subAddress);
  const std::size_t maxLength = format.limits.linkAddressLength;
  const bool fits =
      format.linkTargetLength(KindOfLink(address), validAddress, validSubAddress) <= maxLength &&
      Utf8Length(validSubAddress) <= maxLength;
  // Assigned in place: the strings keep their room from one target to the next.
  measured_.format = &format;
  measured_.address.assign(address);
  measured_.subAddress.assign(subAddress);
  measured_.fits = fits;
  return fits;
}

const Hyperlink* Hyperlinks::At(std::int32_t row, std::int32_t col) const {
  auto it = links_.find(KeyOf(row, col));
  return it == links_.end() ? nullptr : &it->second;
}

}  // namespace kvo::excel
