// Cell text as an Office Open XML workbook must hold it.
#include "workbook/excel/xlsx/XlsxText.h"

#include <algorithm>
#include <cctype>

#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

namespace {

constexpr std::string_view kEscapedUnderscore = "_x005F_";

// True when text[pos..] reads "_xHHHH_", which a reader would decode as one character.
bool StartsEscape(std::string_view text, std::size_t pos) {
  if (pos + 7 > text.size() || text[pos] != '_' || text[pos + 1] != 'x' || text[pos + 6] != '_') {
    return false;
  }
  for (std::size_t i = pos + 2; i < pos + 6; ++i) {
    if (!std::isxdigit(static_cast<unsigned char>(text[i]))) return false;
  }
  return true;
}

}  // namespace

std::string CellText(std::string_view raw) {
  const std::string valid = ValidUtf8(raw);
  std::string out;
  out.reserve(valid.size());
  std::size_t chars = 0;    // characters of the text kept
  std::size_t written = 0;  // characters of the escaped text
  for (std::size_t pos = 0; pos < valid.size();) {
    const bool escape = StartsEscape(valid, pos);
    const std::size_t length = DecodeUtf8(valid, pos).length;
    const std::size_t width = escape ? kEscapedUnderscore.size() : 1;
    if (chars + 1 > kMaxCellChars || written + width > kMaxCellChars) break;
    if (escape) {
      out += kEscapedUnderscore;
    } else {
      out.append(valid, pos, length);
    }
    ++chars;
    written += width;
    pos += length;
  }
  return out;
}

bool IsCellTextAsIs(std::string_view raw) {
  if (raw.size() > kMaxCellChars) return false;
  return std::all_of(raw.begin(), raw.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte != 0 && byte < 0x80 && c != '_';
  });
}

}  // namespace kvo::excel
