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

// LineUnits of a text that holds a line feed.
inline constexpr std::uint32_t kLineBreaks = 0xFFFFFFFF;

// The width of the text on one line in units of the default font (2048 to the em), tabs as
// blanks and carriage returns taking none; kLineBreaks when it holds a line feed. Worked out
// once per text, it makes FitsOnOneLine cost the same for every length. Raises nothing.
std::uint32_t LineUnits(std::string_view utf8);

// True when the text certainly takes one line in such a cell (WrappedLineCount would give 1);
// much cheaper than counting lines. The first form takes the text's LineUnits.
bool FitsOnOneLine(std::uint32_t lineUnits, int cellPixels, double fontSize, bool bold);
bool FitsOnOneLine(std::string_view utf8, int cellPixels, double fontSize, bool bold);

// Row height in points for `lines` lines of the given font size, on whole pixels, at most the
// largest row height.
double LinesHeight(int lines, double fontSize);

}  // namespace kvo::excel
