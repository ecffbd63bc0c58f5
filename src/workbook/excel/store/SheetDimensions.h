// Column widths and row heights set on a sheet.
#pragma once

#include <cstdint>
#include <map>
#include <optional>

#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

inline constexpr double kDefaultColumnWidth = 8.43;  // characters of the default font
inline constexpr double kDefaultRowHeight = 15.0;    // points, for an 11-point font
inline constexpr double kMaxColumnWidth = 255.0;
inline constexpr double kMaxRowHeight = 409.5;

class SheetDimensions {
 public:
  // Width of every column the rect spans; a rect over all columns sets them all at once.
  void SetColumnWidth(const Rect& rect, double width);
  // Height of every row the rect spans; a rect over all rows sets them all at once.
  void SetRowHeight(const Rect& rect, double height);

  double ColumnWidth(std::int32_t col) const;
  std::optional<double> ExplicitRowHeight(std::int32_t row) const;

  std::optional<double> AllColumnsWidth() const { return allColumns_; }
  std::optional<double> AllRowsHeight() const { return allRows_; }
  const std::map<std::int32_t, double>& ColumnWidths() const { return columns_; }
  const std::map<std::int32_t, double>& RowHeights() const { return rows_; }

  void Clear() { *this = SheetDimensions(); }

 private:
  std::optional<double> allColumns_;
  std::optional<double> allRows_;
  std::map<std::int32_t, double> columns_;
  std::map<std::int32_t, double> rows_;
};

}  // namespace kvo::excel
