// How many lines a wrapped text takes in a cell and how tall those lines are, estimated from
// the metrics of the sheet's default font the way the spreadsheet application fits row heights.
#pragma once

#include <cstdint>
#include <string_view>

namespace kvo::excel {

// Width in pixels (96 dpi) of a column `widthChars` characters wide.
int ColumnPixels(double widthChars);

// Lines the text needs when wrapped at word boundaries into a cell `cellPixels` wide; explicit
// line breaks start new lines, words wider than the cell are broken.
int WrappedLineCount(std::string_view utf8, int cellPixels, double fontSize, bool bold);

// True when the text certainly takes one line in such a cell (WrappedLineCount would give 1);
// much cheaper than counting lines.
bool FitsOnOneLine(std::string_view utf8, int cellPixels, double fontSize, bool bold);

// Row height in points for `lines` lines of the given font size, on whole pixels, at most the
// largest row height.
double LinesHeight(int lines, double fontSize);

}  // namespace kvo::excel
