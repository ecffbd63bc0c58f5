// What an Excel 97-2003 sheet holds, and the areas of the resolved sheet in the file's terms.
#pragma once

#include <cstdint>
#include <string_view>

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

inline constexpr std::int32_t kXlsRows = 65536;
inline constexpr std::int32_t kXlsColumns = 256;
inline constexpr std::size_t kXlsLinksPerSheet = 65530;
inline constexpr std::size_t kXlsLinkTargetLength = 2079;
inline constexpr std::size_t kXlsNameLength = 255;
inline constexpr std::size_t kXlsFooterLength = 253;  // with "&C" before it, 255

// A rectangle counted from 0, as the file stores it.
struct XlsArea {
  std::uint16_t firstRow;
  std::uint16_t lastRow;
  std::uint16_t firstCol;
  std::uint16_t lastCol;
};

// The area in the file's terms: rows or columns spanning the whole engine sheet span the whole
// file sheet. Raises the spreadsheet error (naming `what`) for any other area that reaches past
// row 65,536 or column 256.
XlsArea ToXlsArea(const Rect& rect, std::string_view what);

// Raises the spreadsheet error, naming the first thing found, when the sheet holds more than
// the file does: cells or column formats past its last row or column, merged areas, names or
// print areas past them, more links than a sheet takes, a link target, a name or the footer that
// is too long, a sheet name that is not allowed. Rows are checked while they are written.
void CheckXlsLimits(const ResolvedSheet& sheet);

// Raises when a row is past the file's last row.
void CheckXlsRow(std::int32_t row);

}  // namespace kvo::excel
