// Everything one worksheet holds in memory: rows in order with their cells in a shared pool,
// texts and formats stored once and referred to by index, merges and dimensions.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/excel/store/CellFormat.h"
#include "workbook/excel/store/CellPool.h"
#include "workbook/excel/store/CellValue.h"
#include "workbook/excel/store/FormatLayer.h"
#include "workbook/excel/store/FormatTable.h"
#include "workbook/excel/store/MergeAreas.h"
#include "workbook/excel/store/Rect.h"
#include "workbook/excel/store/SheetDimensions.h"
#include "workbook/excel/store/TextPool.h"

namespace kvo::excel {

struct StoredRow {
  CellPool::Slot cells;     // ascending columns
  std::uint32_t layer = 0;  // 1 + index of the row's format layer; 0 when it has none
};

// The store behind a worksheet and its range handles. Every change checks first that the
// workbook is still open and raises the spreadsheet error when it is not.
//
// Formats follow the object model: every operation on the whole sheet, whole columns, whole
// rows, a range or one cell sets one property, and the latest write wins per property. Cells
// touched by a value, a range or a merge hold their final format; a later write to a larger
// area changes it at once. Cells without a record take the look of the sheet, their column and
// their row, per property the latest.
class SheetStore {
 public:
  // Most cells one value assignment or one range format may touch.
  static constexpr std::int64_t kMaxAreaCells = std::int64_t{1} << 20;

  explicit SheetStore(std::string name) : name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  bool IsOpen() const { return open_; }
  void CheckOpen() const;
  // Drops all content; every later change raises.
  void Close();

  // Every cell of rect gets the value (an empty value clears it). Raises for a number that is
  // not finite and for an area of more than kMaxAreaCells cells.
  void SetValue(const Rect& rect, const CellValue& value);
  // The same for a text, stored once for the whole area; the caller has fitted it to the cell.
  void SetText(const Rect& rect, std::string_view text);
  const StoredCell* CellAt(std::int32_t row, std::int32_t col) const;
  bool HasValue(std::int32_t row, std::int32_t col) const;
  // The value of a cell of this store: its text (empty unless it holds one), its number (0
  // unless it holds one).
  std::string_view TextOf(const StoredCell& cell) const {
    return cell.kind == CellValue::Kind::Text ? texts_.Text(cell.value) : std::string_view();
  }
  double NumberOf(const StoredCell& cell) const {
    return cell.kind == CellValue::Kind::Number ? numbers_[cell.value] : 0;
  }
  // The cells' texts: equal texts share one number (a cell's value).
  const TextPool& Texts() const { return texts_; }

  // Sets one format property on every cell of rect. Raises for a range (not whole rows,
  // columns or the sheet) of more than kMaxAreaCells cells.
  void ApplyFormat(const Rect& rect, FormatProperty property, double value);
  // Several properties at once (bold and italic of a font style, say), in this order.
  struct FormatSetting {
    FormatProperty property;
    double value;
  };
  void ApplyFormats(const Rect& rect, std::span<const FormatSetting> settings);
  void ApplyNumberFormat(const Rect& rect, std::string_view format);
  void ApplyColor(const Rect& rect, FormatProperty property, SheetColor color);
  // The look of one cell.
  CellFormat Resolve(std::int32_t row, std::int32_t col) const;

  // Merging keeps the value of the top left cell only, as the spreadsheet does; every cell of
  // the area gets a record, so that its look is written with it.
  void Merge(const Rect& rect);
  void Unmerge(const Rect& rect);
  const MergeAreas& Merges() const { return merges_; }

  SheetDimensions& Dimensions();
  const SheetDimensions& Dimensions() const { return dimensions_; }

  // Height a row needs for its values when it has no height of its own: enough lines for
  // every wrapped text at its column (or merged) width and font; empty when the default
  // height is enough. Only texts that do not fit on one line are measured line by line.
  std::optional<double> FittedRowHeight(std::int32_t row) const;
  // The height the row shows: its own, else the fitted one, else the default.
  double EffectiveRowHeight(std::int32_t row) const;

  // What the resolved sheet reads.
  std::int32_t LastRow() const { return static_cast<std::int32_t>(rows_.size()) - 1; }
  // The cells of a row, ascending columns; none outside the rows.
  std::span<const StoredCell> RowCells(std::int32_t row) const;
  const FormatTable& Formats() const { return formats_; }
  bool RowHasFormat(std::int32_t row) const;
  // The look of the sheet alone, of a column (sheet and column) and of the blank cells of a
  // row (sheet and row).
  CellFormat SheetFormat() const;
  CellFormat ColumnFormat(std::int32_t col) const;
  CellFormat RowFormat(std::int32_t row) const;
  const std::map<std::int32_t, FormatLayer>& ColumnLayers() const { return columnLayers_; }

 private:
  StoredRow& RowFor(std::int32_t row) {
    const auto index = static_cast<std::size_t>(row);
    if (index >= rows_.size()) [[unlikely]] {
      rows_.resize(index + 1);
    }
    return rows_[index];
  }
  const StoredRow* RowAt(std::int32_t row) const;
  // The cell's record, made with the look it has so far when missing.
  StoredCell& Touch(std::int32_t row, std::int32_t col);
  // The format index a new record at (row, col) starts with.
  std::uint32_t BaseFormat(std::int32_t row, std::int32_t col);
  // The format with every setting applied.
  std::uint32_t With(std::uint32_t format, std::span<const FormatSetting> settings);
  // Raises for an area of more than kMaxAreaCells cells.
  void CheckAreaSize(const Rect& rect) const;
  const FormatLayer* RowLayer(std::int32_t row) const;
  const FormatLayer* ColumnLayer(std::int32_t col) const;

  std::string name_;
  bool open_ = true;
  std::vector<StoredRow> rows_;  // index = row number; entry 0 unused
  CellPool cells_;
  TextPool texts_;
  std::vector<double> numbers_;  // the values of number cells
  FormatTable formats_;
  std::uint64_t stamp_ = 0;
  FormatLayer sheetLayer_;
  std::map<std::int32_t, FormatLayer> columnLayers_;
  std::vector<FormatLayer> rowLayers_;
  // Start format of new records in rows without a layer and columns without one.
  std::uint32_t sheetBase_ = 0;
  MergeAreas merges_;
  SheetDimensions dimensions_;
};

}  // namespace kvo::excel
