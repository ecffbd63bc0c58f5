// A1-style references: column letters, absolute addresses and their parsing.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

// "A" for 1, "Z" for 26, "AA" for 27, up to "XFD".
std::string ColumnLetters(std::int32_t col);

// Absolute reference as the object model writes it: "$A$1", "$A$1:$D$3", "$12:$12" for whole
// rows, "$A:$F" for whole columns, "$1:$1048576" for the whole sheet.
std::string AbsoluteAddress(const Rect& rect);

// Reads "A1", "$A$1:$D$3", "$1:$3" or "$A:$F" (dollars optional, letters of any case).
// Empty when the text is no reference inside the sheet.
std::optional<Rect> ParseAddress(std::string_view address);

// Raise the spreadsheet error when a row or column lies outside a sheet of that many rows or
// columns.
void CheckRow(std::int64_t row, std::int32_t rows);
void CheckColumn(std::int64_t col, std::int32_t columns);

}  // namespace kvo::excel
