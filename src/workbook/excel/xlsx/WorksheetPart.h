// The worksheet part: sheet view and row heights, columns, the rows with their cells (streamed
// a block of rows at a time), merged areas, hyperlinks and the page setup.
#pragma once

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/xlsx/SharedStringsPart.h"
#include "workbook/excel/xlsx/StylesPart.h"
#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

// Writes xl/worksheets/sheet1.xml, numbering formats in styles and texts in strings as cells
// use them (columns first, then row by row, each row's format before its cells). External
// links get the relationships rId1, rId2, ... in the order of sheet.links (see
// RelationshipsPart). Raises WriteError for a format the sheet's table does not have, and
// what the stream's sink raises.
void WriteWorksheetPart(XmlStream& xml, const ResolvedSheet& sheet, StylesPart& styles,
                        SharedStringsPart& strings);

// The stored width of a column of the given width in characters: whole pixels of the default
// font, in 1/256 of a character. Raises nothing.
double StoredColumnWidth(double width);

}  // namespace kvo::excel
