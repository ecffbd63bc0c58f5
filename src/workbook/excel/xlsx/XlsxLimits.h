// What an Office Open XML sheet holds: the checks the writer makes before it writes a byte.
#pragma once

#include <cstdint>

#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::excel {

inline constexpr std::size_t kXlsxLinksPerSheet = 65530;

// Raises WriteError, naming the first thing found, when the sheet holds more than the file
// does: a used range, column formats, merged areas, link cells, names, print titles or a print
// area past row 1,048,576 or column XFD (or before the first), or more links than a sheet takes.
// The rows and their cells are checked while they are written (CheckXlsxRow).
void CheckXlsxLimits(const ResolvedSheet& sheet);

// Raises WriteError when the row, or a cell of it, lies past the last row or column.
void CheckXlsxRow(const ResolvedRow& row);

}  // namespace kvo::excel
