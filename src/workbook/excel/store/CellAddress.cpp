// A1-style references: column letters, absolute addresses and their parsing.
#include "workbook/excel/store/CellAddress.h"

#include <cctype>

#include "workbook/excel/store/SheetError.h"

namespace kvo::excel {

namespace {

// One side of a reference: optional column letters, optional row digits.
struct RefPart {
  std::int64_t col = 0;  // 0 when absent
  std::int64_t row = 0;  // 0 when absent
};

bool IsAsciiAlpha(char c) {
  return std::isalpha(static_cast<unsigned char>(c)) != 0;
}
bool IsAsciiDigit(char c) {
  return c >= '0' && c <= '9';
}

std::optional<RefPart> ParsePart(std::string_view s) {
  RefPart part;
  std::size_t i = 0;
  if (i < s.size() && s[i] == '$') ++i;
  std::size_t letters = 0;
  while (i < s.size() && IsAsciiAlpha(s[i])) {
    if (++letters > 3) return std::nullopt;
    part.col = part.col * 26 + (std::toupper(static_cast<unsigned char>(s[i])) - 'A' + 1);
    ++i;
  }
  if (letters > 0 && i < s.size() && s[i] == '$') ++i;
  std::size_t digits = 0;
  while (i < s.size() && IsAsciiDigit(s[i])) {
    if (++digits > 7) return std::nullopt;
    part.row = part.row * 10 + (s[i] - '0');
    ++i;
  }
  if (i != s.size() || (letters == 0 && digits == 0)) return std::nullopt;
  if (digits > 0 && (part.row < 1 || part.row > kMaxRows)) return std::nullopt;
  if (letters > 0 && part.col > kMaxColumns) return std::nullopt;
  return part;
}

}  // namespace

std::string ColumnLetters(std::int32_t col) {
  std::string letters;
  while (col > 0) {
    const std::int32_t rem = (col - 1) % 26;
    letters.insert(letters.begin(), static_cast<char>('A' + rem));
    col = (col - 1) / 26;
  }
  return letters;
}

std::string AbsoluteAddress(const Rect& rect) {
  if (rect.SpansAllColumns()) {
    return "$" + std::to_string(rect.top) + ":$" + std::to_string(rect.bottom);
  }
  if (rect.SpansAllRows()) {
    return "$" + ColumnLetters(rect.left) + ":$" + ColumnLetters(rect.right);
  }
  std::string first = "$" + ColumnLetters(rect.left) + "$" + std::to_string(rect.top);
  if (rect.IsSingleCell()) return first;
  return first + ":$" + ColumnLetters(rect.right) + "$" + std::to_string(rect.bottom);
}

std::optional<Rect> ParseAddress(std::string_view address) {
  const std::size_t colon = address.find(':');
  const auto first = ParsePart(address.substr(0, colon));
  if (!first) return std::nullopt;
  RefPart last = *first;
  if (colon != std::string_view::npos) {
    const auto second = ParsePart(address.substr(colon + 1));
    if (!second) return std::nullopt;
    last = *second;
  }
  // Both sides must be of the same kind: cells, whole rows or whole columns.
  const bool firstHasCol = first->col != 0, firstHasRow = first->row != 0;
  if (firstHasCol != (last.col != 0) || firstHasRow != (last.row != 0)) return std::nullopt;
  if (colon == std::string_view::npos && !(firstHasCol && firstHasRow)) return std::nullopt;

  Rect rect;
  if (firstHasCol && firstHasRow) {
    rect = {static_cast<std::int32_t>(first->row), static_cast<std::int32_t>(first->col),
            static_cast<std::int32_t>(last.row), static_cast<std::int32_t>(last.col)};
  } else if (firstHasRow) {
    rect =
        Rect::WholeRows(static_cast<std::int32_t>(first->row), static_cast<std::int32_t>(last.row));
  } else {
    rect = Rect::WholeColumns(static_cast<std::int32_t>(first->col),
                              static_cast<std::int32_t>(last.col));
  }
  // Normalise a reversed reference such as "D3:A1".
  Rect lo = Rect::Cell(rect.top, rect.left);
  return lo.Union(Rect::Cell(rect.bottom, rect.right));
}

void CheckRow(std::int64_t row, std::int32_t rows) {
  if (row < 1 || row > rows) {
    RaiseSheetError("Row " + std::to_string(row) + " is outside the sheet (rows 1 to " +
                    std::to_string(rows) + ")");
  }
}

void CheckColumn(std::int64_t col, std::int32_t columns) {
  if (col < 1 || col > columns) {
    RaiseSheetError("Column " + std::to_string(col) + " is outside the sheet (columns 1 to " +
                    std::to_string(columns) + ")");
  }
}

}  // namespace kvo::excel
