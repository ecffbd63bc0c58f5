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

class LineFitter {
 public:
  LineFitter(int cellPixels, double fontSize, bool bold)
      : room_(std::max(1, cellPixels - 2 * kCellInset)),
        pixelsPerUnit_(fontSize * 96.0 / 72.0 / kUnitsPerEm * (bold ? kBoldFactor : 1.0)) {}

  double Width(char32_t cp) const { return FontUnits(cp) * pixelsPerUnit_; }
  double Room() const { return room_; }

  // Lines of one paragraph (text without line breaks).
  int Paragraph(std::u32string_view text) const {
    int lines = 1;
    double used = 0;  // width of the current line
    std::size_t pos = 0;
    while (pos <= text.size()) {
      const std::size_t space = std::min(text.find(U' ', pos), text.size());
      const std::u32string_view word = text.substr(pos, space - pos);
      double wordWidth = 0;
      for (char32_t cp : word) wordWidth += Width(cp);
      const double gap = used > 0 ? Width(U' ') : 0;
      if (used > 0 && used + gap + wordWidth > room_) {
        ++lines;
        used = 0;
      } else {
        used += gap;
      }
      if (wordWidth > room_) {
        // Break the word where it no longer fits.
        for (char32_t cp : word) {
          const double w = Width(cp);
          if (used > 0 && used + w > room_) {
            ++lines;
            used = 0;
          }
          used += w;
        }
      } else {
        used += wordWidth;
      }
      if (space == text.size()) break;
      pos = space + 1;
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
  std::u32string paragraph;
  for (std::size_t pos = 0;;) {
    const bool atEnd = pos >= utf8.size();
    const Utf8Char c = atEnd ? Utf8Char{U'\n', 0, true} : DecodeUtf8(utf8, pos);
    pos += c.length;
    if (c.cp == U'\r') continue;
    if (c.cp == U'\n') {
      lines += fitter.Paragraph(paragraph);
      paragraph.clear();
      if (atEnd) break;
      continue;
    }
    paragraph += c.cp == U'\t' ? U' ' : c.cp;
  }
  return lines;
}

bool FitsOnOneLine(std::string_view utf8, int cellPixels, double fontSize, bool bold) {
  const LineFitter fitter(cellPixels, fontSize, bold);
  // Below the room by a margin, so that the line count's own sums cannot round past it.
  const double room = fitter.Room() - 0.01;
  double width = 0;
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    char32_t cp = byte;
    if (byte < 0x80) {
      ++pos;
    } else {
      const Utf8Char c = DecodeUtf8(utf8, pos);
      cp = c.cp;
      pos += c.length;
    }
    if (cp == U'\n') return false;
    if (cp == U'\r') continue;
    width += fitter.Width(cp == U'\t' ? U' ' : cp);
    if (width > room) return false;
  }
  return true;
}

double LinesHeight(int lines, double fontSize) {
  const double linePixels = std::round(fontSize * 96.0 / 72.0 * kLinePixelsPerEm);
  const double points = lines * linePixels * 0.75;
  return std::min(points, kMaxRowHeight);
}

}  // namespace kvo::excel
