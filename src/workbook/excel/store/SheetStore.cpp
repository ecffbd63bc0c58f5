// Everything one worksheet holds in memory: values, format layers, merges and dimensions.
#include "workbook/excel/store/SheetStore.h"

#include <algorithm>
#include <cmath>

#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/TextLines.h"

namespace kvo::excel {

void SheetStore::CheckOpen() const {
  if (!open_) RaiseSheetError("The workbook of sheet " + name_ + " is closed");
}

void SheetStore::Close() {
  open_ = false;
  values_.clear();
  formats_.Clear();
  merges_.Clear();
  dimensions_.Clear();
}

void SheetStore::SetValue(const Rect& rect, const CellValue& value) {
  CheckOpen();
  if (value.kind == CellValue::Kind::Number && !std::isfinite(value.number)) {
    RaiseSheetError("Cell " + AbsoluteAddress(rect) + " cannot hold a number that is not finite");
  }
  if (rect.CellCount() > kMaxValueCells) {
    RaiseSheetError("Cannot assign one value to " + AbsoluteAddress(rect) +
                    ": the area has too many cells");
  }
  for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
    for (std::int32_t col = rect.left; col <= rect.right; ++col) {
      if (value.IsEmpty()) {
        values_.erase(KeyOf(row, col));
      } else {
        values_[KeyOf(row, col)] = value;
      }
    }
  }
}

const CellValue* SheetStore::ValueAt(std::int32_t row, std::int32_t col) const {
  auto it = values_.find(KeyOf(row, col));
  return it == values_.end() ? nullptr : &it->second;
}

void SheetStore::Merge(const Rect& rect) {
  CheckOpen();
  if (!merges_.Merge(rect)) return;
  for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
    auto first = values_.lower_bound(KeyOf(row, rect.left));
    auto last = values_.upper_bound(KeyOf(row, rect.right));
    if (row == rect.top && first != last && first->first == KeyOf(row, rect.left)) ++first;
    values_.erase(first, last);
  }
}

void SheetStore::Unmerge(const Rect& rect) {
  CheckOpen();
  merges_.Unmerge(rect);
}

FormatLayers& SheetStore::Formats() {
  CheckOpen();
  return formats_;
}

SheetDimensions& SheetStore::Dimensions() {
  CheckOpen();
  return dimensions_;
}

std::optional<double> SheetStore::FittedRowHeight(std::int32_t row) const {
  double height = kDefaultRowHeight;
  auto it = values_.lower_bound(KeyOf(row, 1));
  const auto end = values_.lower_bound(KeyOf(row + 1, 1));
  for (; it != end; ++it) {
    const std::int32_t col = KeyColumn(it->first);
    const CellFormat format = formats_.Resolve(row, col);
    int lines = 1;
    if (it->second.kind == CellValue::Kind::Text && format.wrapText) {
      Rect area = Rect::Cell(row, col);
      if (auto merged = merges_.AreaAt(row, col)) {
        // Hidden cells of a merge and merges over several rows do not size the row.
        if (merged->Height() > 1 || merged->left != col) continue;
        area = *merged;
      }
      int pixels = 0;
      for (std::int32_t c = area.left; c <= area.right; ++c) {
        pixels += ColumnPixels(dimensions_.ColumnWidth(c));
      }
      lines = WrappedLineCount(it->second.text, pixels, format.fontSize, format.bold);
    }
    height = std::max(height, LinesHeight(lines, format.fontSize));
  }
  if (height <= kDefaultRowHeight) return std::nullopt;
  return height;
}

double SheetStore::EffectiveRowHeight(std::int32_t row) const {
  if (auto explicitHeight = dimensions_.ExplicitRowHeight(row)) return *explicitHeight;
  return FittedRowHeight(row).value_or(kDefaultRowHeight);
}

}  // namespace kvo::excel
