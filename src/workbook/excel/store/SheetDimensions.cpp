// Column widths and row heights set on a sheet.
#include "workbook/excel/store/SheetDimensions.h"

#include <cmath>
#include <sstream>

#include "workbook/excel/store/SheetError.h"

namespace kvo::excel {

namespace {

void CheckSize(double value, double max, const char* property) {
  if (!std::isfinite(value) || value < 0 || value > max) {
    std::ostringstream text;
    text << "Cannot set " << property << " to " << value << ": allowed are 0 to " << max;
    RaiseSheetError(text.str());
  }
}

}  // namespace

void SheetDimensions::SetColumnWidth(const Rect& rect, double width) {
  CheckSize(width, kMaxColumnWidth, "ColumnWidth");
  if (rect.SpansAllColumns()) {
    allColumns_ = width;
    columns_.clear();
    return;
  }
  for (std::int32_t col = rect.left; col <= rect.right; ++col) columns_[col] = width;
}

void SheetDimensions::SetRowHeight(const Rect& rect, double height) {
  CheckSize(height, kMaxRowHeight, "RowHeight");
  if (rect.SpansAllRows()) {
    allRows_ = height;
    rows_.clear();
    return;
  }
  for (std::int32_t row = rect.top; row <= rect.bottom; ++row) rows_[row] = height;
}

double SheetDimensions::ColumnWidth(std::int32_t col) const {
  if (auto it = columns_.find(col); it != columns_.end()) return it->second;
  return allColumns_.value_or(kDefaultColumnWidth);
}

std::optional<double> SheetDimensions::ExplicitRowHeight(std::int32_t row) const {
  if (auto it = rows_.find(row); it != rows_.end()) return it->second;
  return allRows_;
}

}  // namespace kvo::excel
