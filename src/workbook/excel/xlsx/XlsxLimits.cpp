// What an Office Open XML sheet holds. The object model never gives more; a resolved sheet made
// some other way is refused rather than written as a file that no program opens.
#include "workbook/excel/xlsx/XlsxLimits.h"

#include <string>
#include <string_view>

#include "workbook/excel/resolved/SheetAreas.h"
#include "workbook/excel/sink/WriteError.h"
#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

namespace {

bool InSheet(const Rect& rect) {
  return rect.top >= 1 && rect.left >= 1 && rect.top <= rect.bottom && rect.left <= rect.right &&
         rect.bottom <= kMaxRows && rect.right <= kMaxColumns;
}

[[noreturn]] void RaiseBeyond(const std::string& what) {
  throw WriteError(what + " lies beyond row 1,048,576 or column XFD, the last of a sheet");
}

void CheckArea(const Rect& rect, std::string_view what) {
  if (!InSheet(rect)) {
    RaiseBeyond(std::string(what) + " (rows " + std::to_string(rect.top) + " to " +
                std::to_string(rect.bottom) + ", columns " + std::to_string(rect.left) + " to " +
                std::to_string(rect.right) + ")");
  }
}

}  // namespace

void CheckXlsxLimits(const ResolvedSheet& sheet) {
  ForEachSheetArea(sheet, [](const Rect& area, const std::string& what) { CheckArea(area, what); });
  if (sheet.links.size() > kXlsxLinksPerSheet) {
    throw WriteError("the sheet holds " + std::to_string(sheet.links.size()) +
                     " hyperlinks; a sheet holds at most 65,530");
  }
}

void CheckXlsxRow(const ResolvedRow& row) {
  if (row.row < 1 || row.row > kMaxRows) RaiseBeyond("row " + std::to_string(row.row));
  if (!row.cells.empty() && (row.cells.front().col < 1 || row.cells.back().col > kMaxColumns)) {
    RaiseBeyond("a cell of row " + std::to_string(row.row));
  }
}

}  // namespace kvo::excel
