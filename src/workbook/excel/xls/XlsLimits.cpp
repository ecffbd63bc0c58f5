// What an Excel 97-2003 sheet holds, and the areas of the resolved sheet in the file's terms.
#include "workbook/excel/xls/XlsLimits.h"

#include <string>

#include "workbook/excel/NameRules.h"
#include "workbook/excel/resolved/SheetAreas.h"
#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/xls/XlsLinks.h"
#include "workbook/excel/xls/XlsText.h"

namespace kvo::excel {

namespace {

[[noreturn]] void RaiseBeyond(std::string_view what, const Rect& rect) {
  RaiseSheetError(std::string(what) + " (" + AbsoluteAddress(rect) +
                  ") lies beyond row 65,536 or column IV, the last of an Excel 97-2003 sheet");
}

}  // namespace

XlsArea ToXlsArea(const Rect& rect, std::string_view what) {
  const std::int32_t bottom = rect.SpansAllRows() ? kXlsRows : rect.bottom;
  const std::int32_t right = rect.left == 1 && rect.right == kMaxColumns ? kXlsColumns : rect.right;
  if (rect.top < 1 || rect.left < 1 || bottom > kXlsRows || right > kXlsColumns ||
      rect.top > bottom || rect.left > right) {
    RaiseBeyond(what, rect);
  }
  return {static_cast<std::uint16_t>(rect.top - 1), static_cast<std::uint16_t>(bottom - 1),
          static_cast<std::uint16_t>(rect.left - 1), static_cast<std::uint16_t>(right - 1)};
}

void CheckXlsRow(std::int32_t row) {
  if (row < 1 || row > kXlsRows) {
    RaiseSheetError("row " + std::to_string(row) +
                    " lies beyond row 65,536, the last of an Excel 97-2003 sheet");
  }
}

void CheckXlsLimits(const ResolvedSheet& sheet) {
  ForEachSheetArea(sheet, [](const Rect& area, const std::string& what) { ToXlsArea(area, what); });
  if (sheet.links.size() > kXlsLinksPerSheet) {
    RaiseSheetError("the sheet holds " + std::to_string(sheet.links.size()) +
                    " hyperlinks; an Excel 97-2003 sheet holds at most 65,530");
  }
  for (const ResolvedLink& link : sheet.links) {
    if (XlsLinkTargetLength(link.kind, link.address, link.subAddress) > kXlsLinkTargetLength ||
        ToUtf16(link.subAddress).size() > kXlsLinkTargetLength) {
      RaiseSheetError("the target of the hyperlink in " +
                      AbsoluteAddress(Rect::Cell(link.row, link.anchor.col)) +
                      " is longer than the 2,079 characters of an Excel 97-2003 file");
    }
  }
  for (const ResolvedName& name : sheet.names) {
    if (ToUtf16(name.name).size() > kXlsNameLength) {
      RaiseSheetError("name " + name.name.substr(0, 40) +
                      "... is longer than the 255 characters of an Excel 97-2003 file");
    }
  }
  if (const auto why = SheetNameViolation(sheet.name)) RaiseSheetError(*why);
  if (ToUtf16(sheet.page.centerFooter).size() > kXlsFooterLength) {
    RaiseSheetError("the footer is longer than the 253 characters of an Excel 97-2003 file");
  }
}

}  // namespace kvo::excel
