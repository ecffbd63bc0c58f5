// Everything one worksheet holds in memory: values, format layers, merges and dimensions.
#pragma once

#include <cstdint>
#include <map>
#include <optional>
#include <string>

#include "workbook/excel/store/CellFormat.h"
#include "workbook/excel/store/CellValue.h"
#include "workbook/excel/store/FormatLayers.h"
#include "workbook/excel/store/MergeAreas.h"
#include "workbook/excel/store/Rect.h"
#include "workbook/excel/store/SheetDimensions.h"

namespace kvo::excel {

// The store behind a worksheet and its range handles. Every change checks first that the
// workbook is still open.
class SheetStore {
 public:
  // Most cells one value assignment may fill.
  static constexpr std::int64_t kMaxValueCells = std::int64_t{1} << 20;

  explicit SheetStore(std::string name) : name_(std::move(name)) {}

  const std::string& Name() const { return name_; }
  bool IsOpen() const { return open_; }
  // Raises when the workbook has been closed.
  void CheckOpen() const;
  // Drops all content; every later change raises.
  void Close();

  void SetValue(const Rect& rect, const CellValue& value);
  const CellValue* ValueAt(std::int32_t row, std::int32_t col) const;
  const std::map<CellKey, CellValue>& Values() const { return values_; }

  // Merging keeps the value of the top left cell only, as the spreadsheet does.
  void Merge(const Rect& rect);
  void Unmerge(const Rect& rect);

  // Changing access checks that the workbook is open; reading access does not.
  FormatLayers& Formats();
  const FormatLayers& Formats() const { return formats_; }
  const MergeAreas& Merges() const { return merges_; }
  SheetDimensions& Dimensions();
  const SheetDimensions& Dimensions() const { return dimensions_; }

  // Height a row needs for its values when it has no height of its own: enough lines for
  // every wrapped text at its column (or merged) width and font; empty when the default
  // height is enough.
  std::optional<double> FittedRowHeight(std::int32_t row) const;
  // The height the row shows: its own, else the fitted one, else the default.
  double EffectiveRowHeight(std::int32_t row) const;

 private:
  std::string name_;
  bool open_ = true;
  std::map<CellKey, CellValue> values_;
  FormatLayers formats_;
  MergeAreas merges_;
  SheetDimensions dimensions_;
};

}  // namespace kvo::excel
