// A rectangle of cells on a sheet, rows and columns counted from 1, and the key of one cell.
#pragma once

#include <compare>
#include <cstdint>

namespace kvo::excel {

inline constexpr std::int32_t kMaxRows = 1048576;
inline constexpr std::int32_t kMaxColumns = 16384;

struct Rect {
  std::int32_t top = 1;
  std::int32_t left = 1;
  std::int32_t bottom = 1;
  std::int32_t right = 1;

  static constexpr Rect Cell(std::int32_t row, std::int32_t col) { return {row, col, row, col}; }
  static constexpr Rect WholeSheet() { return {1, 1, kMaxRows, kMaxColumns}; }
  static constexpr Rect WholeRows(std::int32_t first, std::int32_t last) {
    return {first, 1, last, kMaxColumns};
  }
  static constexpr Rect WholeColumns(std::int32_t first, std::int32_t last) {
    return {1, first, kMaxRows, last};
  }

  constexpr std::int32_t Height() const { return bottom - top + 1; }
  constexpr std::int32_t Width() const { return right - left + 1; }
  constexpr std::int64_t CellCount() const {
    return static_cast<std::int64_t>(Height()) * static_cast<std::int64_t>(Width());
  }
  constexpr bool IsSingleCell() const { return top == bottom && left == right; }
  constexpr bool SpansAllRows() const { return top == 1 && bottom == kMaxRows; }
  constexpr bool SpansAllColumns() const { return left == 1 && right == kMaxColumns; }
  constexpr bool Contains(std::int32_t row, std::int32_t col) const {
    return row >= top && row <= bottom && col >= left && col <= right;
  }
  constexpr bool Intersects(const Rect& o) const {
    return top <= o.bottom && o.top <= bottom && left <= o.right && o.left <= right;
  }
  // The smallest rectangle holding both.
  constexpr Rect Union(const Rect& o) const {
    return {top < o.top ? top : o.top, left < o.left ? left : o.left,
            bottom > o.bottom ? bottom : o.bottom, right > o.right ? right : o.right};
  }

  auto operator<=>(const Rect&) const = default;
};

// Key of one cell; keys sort row by row, then column by column.
using CellKey = std::int64_t;
constexpr CellKey KeyOf(std::int32_t row, std::int32_t col) {
  return (static_cast<CellKey>(row) << 16) | col;
}
constexpr std::int32_t KeyRow(CellKey key) {
  return static_cast<std::int32_t>(key >> 16);
}
constexpr std::int32_t KeyColumn(CellKey key) {
  return static_cast<std::int32_t>(key & 0xFFFF);
}

}  // namespace kvo::excel
