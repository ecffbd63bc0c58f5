// A rectangle of cells on a worksheet: a cheap value handle (sheet and rectangle).
#pragma once

#include <cstdint>
#include <string>
#include <string_view>

#include "workbook/excel/RangeFormatting.h"
#include "workbook/excel/store/Rect.h"

namespace kvo::excel {

class Worksheet;

class Range {
 public:
  Range(Worksheet& sheet, const Rect& area) : sheet_(&sheet), area_(area) {}

  Worksheet& Parent() const { return *sheet_; }
  const Rect& Area() const { return area_; }
  std::int32_t Row() const { return area_.top; }
  std::int32_t Column() const { return area_.left; }
  // Absolute reference such as "$A$1:$D$3" or "$12:$12".
  std::string Address() const;

  // Every cell of the range gets the value; texts stay texts whatever they start with, and an
  // empty text empties the cell.
  void Value(std::string_view text) const;
  void Value(double number) const;

  void HorizontalAlignment(int alignment) const;
  void VerticalAlignment(int alignment) const;
  void WrapText(bool wrap) const;
  void NumberFormat(std::string_view format) const;
  // Merges the range into one cell (a single cell stays as it is); false splits merges.
  void MergeCells(bool merge) const;
  void ColumnWidth(double width) const;
  void RowHeight(double height) const;

  excel::Font Font() const;
  excel::Interior Interior() const;
  // One edge: xlEdgeTop or xlEdgeBottom.
  excel::Border Borders(int edge) const;

 private:
  Worksheet* sheet_;
  Rect area_;
};

}  // namespace kvo::excel
