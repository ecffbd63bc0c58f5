// A rectangle of cells on a worksheet: a cheap value handle (sheet and rectangle).
#include "workbook/excel/Range.h"

#include "workbook/excel/CellAddress.h"
#include "workbook/excel/CellValue.h"
#include "workbook/excel/Constants.h"
#include "workbook/excel/SheetError.h"
#include "workbook/excel/SheetModel.h"
#include "workbook/excel/Worksheet.h"

namespace kvo::excel {

std::string Range::Address() const {
  sheet_->Model().CheckOpen();
  return AbsoluteAddress(area_);
}

void Range::Value(std::string_view text) const {
  sheet_->Model().SetValue(area_, text.empty() ? CellValue{} : CellValue::Text(std::string(text)));
}

void Range::Value(double number) const {
  sheet_->Model().SetValue(area_, CellValue::Number(number));
}

void Range::HorizontalAlignment(int alignment) const {
  if (alignment != xlGeneral && alignment != xlLeft && alignment != xlCenter &&
      alignment != xlRight) {
    RaiseSheetError("Horizontal alignment " + std::to_string(alignment) + " of " +
                    AbsoluteAddress(area_) + " is not supported");
  }
  sheet_->Model().Formats().Apply(area_, FormatProperty::HorizontalAlignment, alignment);
}

void Range::VerticalAlignment(int alignment) const {
  if (alignment != xlTop && alignment != xlCenter && alignment != xlBottom) {
    RaiseSheetError("Vertical alignment " + std::to_string(alignment) + " of " +
                    AbsoluteAddress(area_) + " is not supported");
  }
  sheet_->Model().Formats().Apply(area_, FormatProperty::VerticalAlignment, alignment);
}

void Range::WrapText(bool wrap) const {
  sheet_->Model().Formats().Apply(area_, FormatProperty::WrapText, wrap);
}

void Range::NumberFormat(std::string_view format) const {
  if (format.empty())
    RaiseSheetError("The number format of " + AbsoluteAddress(area_) + " is empty");
  sheet_->Model().Formats().ApplyNumberFormat(area_, format);
}

void Range::MergeCells(bool merge) const {
  if (merge) {
    sheet_->Model().Merge(area_);
  } else {
    sheet_->Model().Unmerge(area_);
  }
}

void Range::ColumnWidth(double width) const {
  sheet_->Model().Dimensions().SetColumnWidth(area_, width);
}

void Range::RowHeight(double height) const {
  sheet_->Model().Dimensions().SetRowHeight(area_, height);
}

excel::Font Range::Font() const {
  sheet_->Model().CheckOpen();
  return excel::Font(sheet_->Model(), area_);
}

excel::Interior Range::Interior() const {
  sheet_->Model().CheckOpen();
  return excel::Interior(sheet_->Model(), area_);
}

excel::Border Range::Borders(int edge) const {
  sheet_->Model().CheckOpen();
  if (edge != xlEdgeTop && edge != xlEdgeBottom) {
    RaiseSheetError("Border edge " + std::to_string(edge) + " of " + AbsoluteAddress(area_) +
                    " is not supported (xlEdgeTop, xlEdgeBottom)");
  }
  return excel::Border(sheet_->Model(), area_, edge);
}

}  // namespace kvo::excel
