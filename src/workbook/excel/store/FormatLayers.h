// Sparse, layered cell formats: whole sheet, columns, rows, ranges and single cells.
#pragma once

#include <array>
#include <cstdint>
#include <map>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/excel/store/CellFormat.h"
#include "workbook/excel/store/Rect.h"
#include "workbook/excel/store/RectRowIndex.h"

namespace kvo::excel {

// The properties one formatting target has been given, each with the sequence stamp of the
// operation that set it. Numbers hold every property value (number formats as an index into
// the owner's table).
class FormatLayer {
 public:
  struct Entry {
    std::uint64_t stamp;
    double value;
    FormatProperty property;
  };

  void Set(FormatProperty property, double value, std::uint64_t stamp);
  const std::vector<Entry>& Entries() const { return entries_; }
  bool Empty() const { return entries_.empty(); }

 private:
  std::vector<Entry> entries_;
};

// Every format operation becomes one stamped write to the layer of its target; a cell's look
// is, per property, the value with the latest stamp among the layers covering it. Storage grows
// with the number of operations, never with the size of the area they cover.
class FormatLayers {
 public:
  // Sets one property on every cell of rect (later writes win per property).
  void Apply(const Rect& rect, FormatProperty property, double value);
  void ApplyNumberFormat(const Rect& rect, std::string_view format);
  void ApplyColor(const Rect& rect, FormatProperty property, SheetColor color);

  // The look of one cell.
  CellFormat Resolve(std::int32_t row, std::int32_t col) const;
  // The look the whole-sheet layer alone gives.
  CellFormat ResolveSheet() const;
  // The look of blank cells of a row that has a row layer: the sheet and the row.
  CellFormat ResolveRow(std::int32_t row) const;
  // The look of blank cells of a column: the sheet and the column.
  CellFormat ResolveColumn(std::int32_t col) const;

  // What the writer walks through.
  const std::map<std::int32_t, FormatLayer>& ColumnLayers() const { return columns_; }
  const std::map<std::int32_t, FormatLayer>& RowLayers() const { return rows_; }
  const std::map<CellKey, FormatLayer>& CellLayers() const { return cells_; }
  std::vector<Rect> RangeAreas() const;
  // Calls fn(area) for every formatted range that crosses the row.
  template <class Fn>
  void ForEachRangeInRow(std::int32_t row, Fn&& fn) const {
    rangeRows_.ForEachInRow(row, [&](std::uint32_t id) { fn(ranges_[id].area); });
  }

  void Clear();

 private:
  using Best = std::array<FormatLayer::Entry, kFormatPropertyCount>;
  struct RangeLayer {
    Rect area;
    FormatLayer layer;
  };

  FormatLayer& RangeLayerFor(const Rect& rect);
  static void Merge(Best& best, const FormatLayer& layer);
  CellFormat Build(const Best& best) const;

  std::uint64_t stamp_ = 0;
  FormatLayer sheet_;
  std::map<std::int32_t, FormatLayer> columns_;
  std::map<std::int32_t, FormatLayer> rows_;
  std::map<CellKey, FormatLayer> cells_;
  std::vector<RangeLayer> ranges_;
  std::map<Rect, std::uint32_t> rangeByArea_;
  RectRowIndex rangeRows_;
  std::vector<std::string> numberFormats_;
};

}  // namespace kvo::excel
