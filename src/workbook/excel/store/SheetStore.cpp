// Everything one worksheet holds in memory: rows in order with their cells in a shared pool,
// texts and formats stored once and referred to by index, merges and dimensions.
#include "workbook/excel/store/SheetStore.h"

#include <algorithm>
#include <cmath>

#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/TextLines.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

namespace {

constexpr std::size_t kShortRow = 16;

// The position of col's record in a row's cells, or where it belongs. Rows are mostly short and
// written from left to right: those are searched from their end.
std::size_t Find(std::span<const StoredCell> cells, std::int32_t col) {
  std::size_t at = cells.size();
  if (at == 0 || cells.back().col < col) return at;
  // Rows without gaps hold col where its distance from the first column says.
  const std::size_t guess = static_cast<std::size_t>(col - cells.front().col);
  if (col >= cells.front().col && guess < at && cells[guess].col == col) return guess;
  if (at <= kShortRow) {
    while (at > 0 && cells[at - 1].col >= col) --at;
    return at;
  }
  return static_cast<std::size_t>(
      std::lower_bound(cells.begin(), cells.end(), col,
                       [](const StoredCell& cell, std::int32_t c) { return cell.col < c; }) -
      cells.begin());
}

}  // namespace

void SheetStore::CheckOpen() const {
  if (!open_) RaiseSheetError("The workbook of sheet " + name_ + " is closed");
}

void SheetStore::Close() {
  open_ = false;
  rows_.clear();
  rows_.shrink_to_fit();
  cells_.Clear();
  texts_.Clear();
  numbers_.clear();
  numbers_.shrink_to_fit();
  formats_ = FormatTable();
  sheetLayer_ = FormatLayer();
  columnLayers_.clear();
  rowLayers_.clear();
  sheetBase_ = 0;
  merges_.Clear();
  dimensions_.Clear();
}

const StoredRow* SheetStore::RowAt(std::int32_t row) const {
  if (row < 1 || static_cast<std::size_t>(row) >= rows_.size()) return nullptr;
  return &rows_[static_cast<std::size_t>(row)];
}

std::span<const StoredCell> SheetStore::RowCells(std::int32_t row) const {
  const StoredRow* stored = RowAt(row);
  if (stored == nullptr) return {};
  return cells_.Cells(stored->cells);
}

const FormatLayer* SheetStore::RowLayer(std::int32_t row) const {
  const StoredRow* stored = RowAt(row);
  return stored != nullptr && stored->layer != 0 ? &rowLayers_[stored->layer - 1] : nullptr;
}

const FormatLayer* SheetStore::ColumnLayer(std::int32_t col) const {
  auto it = columnLayers_.find(col);
  return it == columnLayers_.end() ? nullptr : &it->second;
}

bool SheetStore::RowHasFormat(std::int32_t row) const {
  return RowLayer(row) != nullptr;
}

std::uint32_t SheetStore::BaseFormat(std::int32_t row, std::int32_t col) {
  const FormatLayer* rowLayer = RowLayer(row);
  const FormatLayer* columnLayer = columnLayers_.empty() ? nullptr : ColumnLayer(col);
  if (rowLayer == nullptr && columnLayer == nullptr) return sheetBase_;
  return formats_.Intern(formats_.Layered(sheetLayer_, columnLayer, rowLayer));
}

StoredCell& SheetStore::Touch(std::int32_t row, std::int32_t col) {
  CellPool::Slot& slot = RowFor(row).cells;
  const std::span<StoredCell> cells = cells_.Cells(slot);
  const std::size_t at = Find(cells, col);
  if (at < cells.size() && cells[at].col == col) return cells[at];
  const StoredCell cell{static_cast<std::uint16_t>(col), CellValue::Kind::Empty,
                        BaseFormat(row, col), 0};
  return cells_.Insert(slot, at, cell);
}

const StoredCell* SheetStore::CellAt(std::int32_t row, std::int32_t col) const {
  const std::span<const StoredCell> cells = RowCells(row);
  const std::size_t at = Find(cells, col);
  return at < cells.size() && cells[at].col == col ? &cells[at] : nullptr;
}

bool SheetStore::HasValue(std::int32_t row, std::int32_t col) const {
  const StoredCell* cell = CellAt(row, col);
  return cell != nullptr && cell->kind != CellValue::Kind::Empty;
}

void SheetStore::SetText(const Rect& rect, std::string_view text) {
  if (text.empty()) {
    SetValue(rect, CellValue{});
    return;
  }
  CheckOpen();
  CheckAreaSize(rect);
  const std::uint32_t id = texts_.Intern(text);
  for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
    for (std::int32_t col = rect.left; col <= rect.right; ++col) {
      StoredCell& cell = Touch(row, col);
      cell.kind = CellValue::Kind::Text;
      cell.value = id;
    }
  }
}

void SheetStore::CheckAreaSize(const Rect& rect) const {
  if (rect.CellCount() > kMaxAreaCells) {
    RaiseSheetError("Cannot assign one value to " + AbsoluteAddress(rect) +
                    ": the area has too many cells");
  }
}

void SheetStore::SetValue(const Rect& rect, const CellValue& value) {
  if (value.kind == CellValue::Kind::Text) {
    SetText(rect, value.text);
    return;
  }
  CheckOpen();
  if (value.kind == CellValue::Kind::Number && !std::isfinite(value.number)) {
    RaiseSheetError("Cell " + AbsoluteAddress(rect) + " cannot hold a number that is not finite");
  }
  CheckAreaSize(rect);
  for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
    for (std::int32_t col = rect.left; col <= rect.right; ++col) {
      if (value.IsEmpty()) {
        // A cleared cell keeps its record only for its format.
        if (const StoredCell* found = CellAt(row, col); found == nullptr) continue;
      }
      StoredCell& cell = Touch(row, col);
      if (value.kind == CellValue::Kind::Number) {
        // A number cell keeps its place in the numbers when it gets another.
        if (cell.kind != CellValue::Kind::Number) {
          cell.value = static_cast<std::uint32_t>(numbers_.size());
          numbers_.push_back(value.number);
        } else {
          numbers_[cell.value] = value.number;
        }
      } else {
        cell.value = 0;
      }
      cell.kind = value.kind;
    }
  }
}

void SheetStore::ApplyFormat(const Rect& rect, FormatProperty property, double value) {
  const FormatSetting setting{property, value};
  ApplyFormats(rect, {&setting, 1});
}

void SheetStore::ApplyFormats(const Rect& rect, std::span<const FormatSetting> settings) {
  CheckOpen();
  if (rect == Rect::WholeSheet() || rect.SpansAllRows()) {
    // Every row may hold cells of the area: each setting's result per format is worked out once.
    for (const FormatSetting& setting : settings) {
      const std::uint64_t stamp = ++stamp_;
      FormatChange change(formats_, setting.property, setting.value);
      if (rect == Rect::WholeSheet()) {
        sheetLayer_.Set(setting.property, setting.value, stamp);
      } else {
        for (std::int32_t col = rect.left; col <= rect.right; ++col) {
          columnLayers_[col].Set(setting.property, setting.value, stamp);
        }
      }
      for (StoredRow& row : rows_) {
        for (StoredCell& cell : cells_.Cells(row.cells)) {
          if (cell.col >= rect.left && cell.col <= rect.right) cell.format = change(cell.format);
        }
      }
    }
    sheetBase_ = formats_.Intern(formats_.Layered(sheetLayer_, nullptr, nullptr));
    return;
  }
  if (rect.SpansAllColumns()) {
    for (std::int32_t r = rect.top; r <= rect.bottom; ++r) {
      StoredRow& row = RowFor(r);
      if (row.layer == 0) {
        rowLayers_.emplace_back();
        row.layer = static_cast<std::uint32_t>(rowLayers_.size());
      }
      for (const FormatSetting& setting : settings) {
        rowLayers_[row.layer - 1].Set(setting.property, setting.value, ++stamp_);
      }
      for (StoredCell& cell : cells_.Cells(row.cells)) cell.format = With(cell.format, settings);
    }
    return;
  }
  if (rect.CellCount() > kMaxAreaCells) {
    RaiseSheetError("Cannot format " + AbsoluteAddress(rect) + ": the area has too many cells");
  }
  stamp_ += settings.size();
  // Neighbouring cells mostly share their format: its result is kept.
  constexpr std::uint32_t kNoFormat = 0xFFFFFFFF;
  std::uint32_t lastFormat = kNoFormat, lastResult = 0;
  for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
    for (std::int32_t col = rect.left; col <= rect.right; ++col) {
      StoredCell& cell = Touch(row, col);
      if (cell.format != lastFormat) {
        lastFormat = cell.format;
        lastResult = With(lastFormat, settings);
      }
      cell.format = lastResult;
    }
  }
}

std::uint32_t SheetStore::With(std::uint32_t format, std::span<const FormatSetting> settings) {
  for (const FormatSetting& setting : settings) {
    format = formats_.With(format, setting.property, setting.value);
  }
  return format;
}

void SheetStore::ApplyNumberFormat(const Rect& rect, std::string_view format) {
  CheckOpen();
  ApplyFormat(rect, FormatProperty::NumberFormat, formats_.NumberFormatValue(format));
}

void SheetStore::ApplyColor(const Rect& rect, FormatProperty property, SheetColor color) {
  ApplyFormat(rect, property, FormatTable::ColorValue(color));
}

CellFormat SheetStore::Resolve(std::int32_t row, std::int32_t col) const {
  if (const StoredCell* cell = CellAt(row, col)) return formats_[cell->format];
  return formats_.Layered(sheetLayer_, ColumnLayer(col), RowLayer(row));
}

CellFormat SheetStore::SheetFormat() const {
  return formats_.Layered(sheetLayer_, nullptr, nullptr);
}

CellFormat SheetStore::ColumnFormat(std::int32_t col) const {
  return formats_.Layered(sheetLayer_, ColumnLayer(col), nullptr);
}

CellFormat SheetStore::RowFormat(std::int32_t row) const {
  return formats_.Layered(sheetLayer_, nullptr, RowLayer(row));
}

void SheetStore::Merge(const Rect& rect) {
  CheckOpen();
  if (rect.CellCount() > kMaxAreaCells) {
    RaiseSheetError("Cannot merge " + AbsoluteAddress(rect) + ": the area has too many cells");
  }
  if (!merges_.Merge(rect)) return;
  for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
    for (std::int32_t col = rect.left; col <= rect.right; ++col) {
      StoredCell& cell = Touch(row, col);
      if (row == rect.top && col == rect.left) continue;
      cell.kind = CellValue::Kind::Empty;
      cell.value = 0;
    }
  }
}

void SheetStore::Unmerge(const Rect& rect) {
  CheckOpen();
  merges_.Unmerge(rect);
}

SheetDimensions& SheetStore::Dimensions() {
  CheckOpen();
  return dimensions_;
}

std::optional<double> SheetStore::FittedRowHeight(std::int32_t row) const {
  const std::span<const StoredCell> cells = RowCells(row);
  if (cells.empty()) return std::nullopt;
  double height = kDefaultRowHeight;
  for (const StoredCell& cell : cells) {
    if (cell.kind == CellValue::Kind::Empty) continue;
    const CellFormat& format = formats_[cell.format];
    int lines = 1;
    if (cell.kind == CellValue::Kind::Text && format.wrapText) {
      const int ownPixels = ColumnPixels(dimensions_.ColumnWidth(cell.col));
      const bool oneLine =
          FitsOnOneLine(texts_.LineUnits(cell.value), ownPixels, format.fontSize, format.bold);
      // A text that fits its own column fits any merged area it starts; only larger fonts
      // then change the height.
      if (oneLine && format.fontSize <= kDefaultFontSize) continue;
      Rect area = Rect::Cell(row, cell.col);
      if (auto merged = merges_.AreaAt(row, cell.col)) {
        // Hidden cells of a merge and merges over several rows do not size the row.
        if (merged->Height() > 1 || merged->left != cell.col) continue;
        area = *merged;
      }
      if (!oneLine) {
        int pixels = 0;
        for (std::int32_t c = area.left; c <= area.right; ++c) {
          pixels += ColumnPixels(dimensions_.ColumnWidth(c));
        }
        lines = WrappedLineCount(texts_.Text(cell.value), pixels, format.fontSize, format.bold);
      }
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
