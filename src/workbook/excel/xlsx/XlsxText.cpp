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
  const std::string valid = FitUtf8(raw, kMaxCellUnits);
  std::string out;
  out.reserve(valid.size());
  for (std::size_t pos = 0; pos < valid.size();) {
    if (StartsEscape(valid, pos)) {
      out += kEscapedUnderscore;
      ++pos;
      continue;
    }
    const std::size_t length = DecodeUtf8(valid, pos).length;
    out.append(valid, pos, length);
    pos += length;
  }
  return out;
}

bool IsCellTextAsIs(std::string_view raw) {
  if (raw.size() > kMaxCellUnits) return false;
  return std::all_of(raw.begin(), raw.end(), [](char c) {
    const auto byte = static_cast<unsigned char>(c);
    return byte != 0 && byte < 0x80 && c != '_';
  });
}

}  // namespace kvo::excel
