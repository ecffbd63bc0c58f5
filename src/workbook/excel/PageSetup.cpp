// The print layout of a worksheet.
#include "workbook/excel/PageSetup.h"

#include "platform/Platform.h"

#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/SheetStore.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

namespace {

int UserPaperSize() {
  return platform::UserPaper() == platform::Paper::Letter ? xlPaperLetter : xlPaperA4;
}

}  // namespace

PageSetup::PageSetup(SheetStore& store) : store_(&store), paperSize_(UserPaperSize()) {}

std::optional<Rect> PageSetup::ParseOrRaise(std::string_view address, const char* property) const {
  store_->CheckOpen();
  if (address.empty()) return std::nullopt;
  auto rect = ParseAddress(address);
  if (!rect) {
    RaiseSheetError(std::string(property) + " of sheet " + store_->Name() + ": \"" +
                    std::string(address) + "\" is no reference inside the sheet");
  }
  return rect;
}

void PageSetup::PaperSize(int paperSize) {
  store_->CheckOpen();
  if (paperSize != xlPaperA4 && paperSize != xlPaperLetter) {
    RaiseSheetError("Paper size " + std::to_string(paperSize) + " of sheet " + store_->Name() +
                    " is neither A4 nor Letter");
  }
  paperSize_ = paperSize;
}

void PageSetup::Orientation(int orientation) {
  store_->CheckOpen();
  if (orientation != xlPortrait && orientation != xlLandscape) {
    RaiseSheetError("Orientation " + std::to_string(orientation) + " of sheet " + store_->Name() +
                    " is neither portrait nor landscape");
  }
  orientation_ = orientation;
}

void PageSetup::PrintTitleRows(std::string_view address) {
  titleRows_ = ParseOrRaise(address, "PrintTitleRows");
  if (titleRows_) *titleRows_ = Rect::WholeRows(titleRows_->top, titleRows_->bottom);
}

std::string PageSetup::PrintTitleRows() const {
  return titleRows_ ? AbsoluteAddress(*titleRows_) : std::string();
}

void PageSetup::CenterFooter(std::string_view text) {
  store_->CheckOpen();
  const std::string where = "CenterFooter of sheet " + store_->Name();
  if (Utf8Length(text) > kMaxFooterLength) {
    RaiseSheetError(where + ": the text has more than " + std::to_string(kMaxFooterLength) +
                    " characters");
  }
  for (std::size_t i = 0; i + 1 < text.size(); ++i) {
    if (text[i] != '&') continue;
    if (text[i + 1] == 'G') RaiseSheetError(where + ": pictures (&G) are not supported");
    ++i;  // skip the code letter, so "&&G" is an ampersand and a G
  }
  centerFooter_ = std::string(text);
}

void PageSetup::PrintArea(std::string_view address) {
  printArea_ = ParseOrRaise(address, "PrintArea");
}

std::string PageSetup::PrintArea() const {
  return printArea_ ? AbsoluteAddress(*printArea_) : std::string();
}

void PageSetup::Clear() {
  orientation_ = xlPortrait;
  paperSize_ = UserPaperSize();
  titleRows_.reset();
  centerFooter_.clear();
  printArea_.reset();
}

}  // namespace kvo::excel
