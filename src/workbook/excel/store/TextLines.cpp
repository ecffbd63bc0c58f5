// How many lines a wrapped text takes in a cell and how tall those lines are, estimated from
// the metrics of the sheet's default font the way the spreadsheet application fits row heights.
#include "workbook/excel/store/TextLines.h"

#include <algorithm>
#include <array>
#include <cmath>

#include "workbook/excel/store/SheetDimensions.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

namespace {

constexpr int kMaxDigitWidth = 7;  // pixels, default 11-point font
constexpr int kColumnPadding = 5;  // pixels a column adds around its characters
constexpr int kCellInset = 3;      // pixels kept free on each side of wrapped text
constexpr double kUnitsPerEm = 2048.0;
constexpr double kBoldFactor = 1.08;
constexpr double kLinePixelsPerEm = 1.364;  // line pitch of the default font

// Advance widths of the default font in font units (2048 per em).
constexpr int kLower[26] = {981,  1076, 866,  1076, 1019, 625, 964, 1076, 470, 490,  931, 470, 1636,
                            1076, 1080, 1076, 1076, 714,  801, 686, 1076, 925, 1464, 887, 927, 809};
constexpr int kUpper[26] = {1185, 1114, 1092, 1260, 1000, 941,  1292, 1276, 516,
                            653,  1064, 861,  1751, 1322, 1356, 1058, 1378, 1112,
                            941,  998,  1314, 1162, 1822, 1063, 998,  959};

constexpr bool IsWide(char32_t cp) {
  return (cp >= 0x1100 && cp <= 0x115F) || (cp >= 0x2E80 && cp <= 0xA4CF) ||
         (cp >= 0xAC00 && cp <= 0xD7A3) || (cp >= 0xF900 && cp <= 0xFAFF) ||
         (cp >= 0xFE30 && cp <= 0xFE4F) || (cp >= 0xFF00 && cp <= 0xFF60) ||
         (cp >= 0xFFE0 && cp <= 0xFFE6) || cp >= 0x20000;
}

constexpr int FontUnitsOf(char32_t cp) {
  if (cp >= 'a' && cp <= 'z') return kLower[cp - 'a'];
  if (cp >= 'A' && cp <= 'Z') return kUpper[cp - 'A'];
  if (cp >= '0' && cp <= '9') return 1038;
  switch (cp) {
    case ' ':
      return 463;
    case '.':
    case ',':
    case ':':
    case ';':
    case '!':
    case '\'':
    case '|':
      return 520;
    case '-':
    case '(':
    case ')':
    case '[':
    case ']':
      return 627;
    case '%':
    case '&':
    case '@':
      return 1500;
    default:
      break;
  }
  if (cp < 0x80) return 1000;
  return IsWide(cp) ? 2048 : 1100;
}

// Widths of the ASCII characters, looked up rather than worked out for each one.
constexpr std::array<int, 128> kAsciiUnits = [] {
  std::array<int, 128> units{};
  for (char32_t cp = 0; cp < 128; ++cp) units[cp] = FontUnitsOf(cp);
  return units;
}();

int FontUnits(char32_t cp) {
  return cp < 128 ? kAsciiUnits[cp] : FontUnitsOf(cp);
}

// The character at pos, decoded with the common case (ASCII) inline.
Utf8Char CharAt(std::string_view text, std::size_t pos) {
  const auto byte = static_cast<unsigned char>(text[pos]);
  if (byte < 0x80) return {byte, 1, true};
  return DecodeUtf8(text, pos);
}

class LineFitter {
 public:
  LineFitter(int cellPixels, double fontSize, bool bold)
      : room_(std::max(1, cellPixels - 2 * kCellInset)),
        pixelsPerUnit_(fontSize * 96.0 / 72.0 / kUnitsPerEm * (bold ? kBoldFactor : 1.0)) {}

  double Width(char32_t cp) const { return FontUnits(cp) * pixelsPerUnit_; }
  double PixelsPerUnit() const { return pixelsPerUnit_; }
  double Room() const { return room_; }

  // Lines of one paragraph (UTF-8 without line feeds). Words end at blanks and tabs; carriage
  // returns take no room. The sums run in the order of the characters, word by word.
  int Paragraph(std::string_view text) const {
    int lines = 1;
    double used = 0;  // width of the current line
    std::size_t pos = 0;
    while (true) {
      double wordWidth = 0;
      std::size_t end = pos;
      bool blank = false;
      while (end < text.size()) {
        const Utf8Char c = CharAt(text, end);
        if (c.cp == U' ' || c.cp == U'\t') {
          blank = true;
          break;
        }
        end += c.length;
        if (c.cp != U'\r') wordWidth += Width(c.cp);
      }
      const double gap = used > 0 ? Width(U' ') : 0;
      if (used > 0 && used + gap + wordWidth > room_) {
        ++lines;
        used = 0;
      } else {
        used += gap;
      }
      if (wordWidth > room_) {
        // Break the word where it no longer fits.
        for (std::size_t at = pos; at < end;) {
          const Utf8Char c = CharAt(text, at);
          at += c.length;
          if (c.cp == U'\r') continue;
          const double w = Width(c.cp);
          if (used > 0 && used + w > room_) {
            ++lines;
            used = 0;
          }
          used += w;
        }
      } else {
        used += wordWidth;
      }
      if (!blank) break;
      pos = end + 1;
    }
    return lines;
  }

 private:
  double room_;
  double pixelsPerUnit_;
};

}  // namespace

int ColumnPixels(double widthChars) {
  if (widthChars < 1.0) {
    return static_cast<int>(widthChars * (kMaxDigitWidth + kColumnPadding) + 0.5);
  }
  return static_cast<int>(widthChars * kMaxDigitWidth + 0.5) + kColumnPadding;
}

int WrappedLineCount(std::string_view utf8, int cellPixels, double fontSize, bool bold) {
  const LineFitter fitter(cellPixels, fontSize, bold);
  int lines = 0;
  // A line feed byte is never part of another character, so paragraphs end where one is.
  for (std::size_t pos = 0;;) {
    const std::size_t end = std::min(utf8.find('\n', pos), utf8.size());
    lines += fitter.Paragraph(utf8.substr(pos, end - pos));
    if (end == utf8.size()) break;
    pos = end + 1;
  }
  return lines;
}

std::uint32_t LineUnits(std::string_view utf8) {
  std::uint64_t units = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const Utf8Char c = CharAt(utf8, pos);
    pos += c.length;
    if (c.cp == U'\n') return kLineBreaks;
    if (c.cp == U'\r') continue;
    units += static_cast<std::uint64_t>(FontUnits(c.cp == U'\t' ? U' ' : c.cp));
  }
  return static_cast<std::uint32_t>(std::min<std::uint64_t>(units, kLineBreaks - 1));
}

bool FitsOnOneLine(std::uint32_t lineUnits, int cellPixels, double fontSize, bool bold) {
  if (lineUnits == kLineBreaks) return false;
  const LineFitter fitter(cellPixels, fontSize, bold);
  // Below the room by a margin, so that the line count's own sums cannot round past it.
  return lineUnits * fitter.PixelsPerUnit() <= fitter.Room() - 0.01;
}

bool FitsOnOneLine(std::string_view utf8, int cellPixels, double fontSize, bool bold) {
  return FitsOnOneLine(LineUnits(utf8), cellPixels, fontSize, bold);
}

double LinesHeight(int lines, double fontSize) {
  const double linePixels = std::round(fontSize * 96.0 / 72.0 * kLinePixelsPerEm);
  const double points = lines * linePixels * 0.75;
  return std::min(points, kMaxRowHeight);
}

}  // namespace kvo::excel
