// The areas of a resolved sheet that a file must hold within its last row and column.
#pragma once

#include <string>

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

// Calls check(area, what) for each: the used range, the column formats, the merged areas, the
// cells holding links, the names, the print titles and the print area; `what` names the area
// for a message ("merged area", "name Total", ...).
template <class Check>
void ForEachSheetArea(const ResolvedSheet& sheet, Check&& check) {
  if (sheet.usedRange) check(*sheet.usedRange, std::string("the used range"));
  for (const ColumnRun& run : sheet.columns) {
    check(Rect::WholeColumns(run.first, run.last), std::string("a column format"));
  }
  for (const Rect& area : sheet.merges) check(area, std::string("merged area"));
  for (const ResolvedLink& link : sheet.links) {
    check(Rect::Cell(link.row, link.anchor.col), std::string("a hyperlink cell"));
  }
  for (const ResolvedName& name : sheet.names) check(name.refersTo, "name " + name.name);
  if (sheet.page.titleRows) check(*sheet.page.titleRows, std::string("the print titles"));
  if (sheet.page.printArea) check(*sheet.page.printArea, std::string("the print area"));
}

}  // namespace kvo::excel
