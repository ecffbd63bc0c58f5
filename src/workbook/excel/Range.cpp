// A rectangle of cells on a worksheet: a cheap value handle (sheet and rectangle).
#include "workbook/excel/Range.h"

#include "workbook/excel/Worksheet.h"
#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/CellValue.h"
#include "workbook/excel/store/Constants.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/SheetStore.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

std::string Range::Address() const {
  sheet_->Store().CheckOpen();
  return AbsoluteAddress(area_);
}

void Range::Value(std::string_view text) const {
  if (text.empty()) {
    sheet_->Store().SetValue(area_, CellValue{});
    return;
  }
  // Longer text than a cell of the file holds is cut to that length.
  sheet_->SetText(area_, text);
}

void Range::Value(double number) const {
  sheet_->Store().SetValue(area_, CellValue::Number(number));
}

void Range::HorizontalAlignment(int alignment) const {
  if (alignment != xlGeneral && alignment != xlLeft && alignment != xlCenter &&
      alignment != xlRight) {
    RaiseSheetError("Horizontal alignment " + std::to_string(alignment) + " of " +
                    AbsoluteAddress(area_) + " is not supported");
  }
  sheet_->Store().ApplyFormat(area_, FormatProperty::HorizontalAlignment, alignment);
}

void Range::VerticalAlignment(int alignment) const {
  if (alignment != xlTop && alignment != xlCenter && alignment != xlBottom) {
    RaiseSheetError("Vertical alignment " + std::to_string(alignment) + " of " +
                    AbsoluteAddress(area_) + " is not supported");
  }
  sheet_->Store().ApplyFormat(area_, FormatProperty::VerticalAlignment, alignment);
}

void Range::WrapText(bool wrap) const {
  sheet_->Store().ApplyFormat(area_, FormatProperty::WrapText, wrap);
}

void Range::NumberFormat(std::string_view format) const {
  if (format.empty())
    RaiseSheetError("The number format of " + AbsoluteAddress(area_) + " is empty");
  sheet_->Store().ApplyNumberFormat(area_, format);
}

void Range::MergeCells(bool merge) const {
  if (merge) {
    sheet_->Store().Merge(area_);
  } else {
    sheet_->Store().Unmerge(area_);
  }
}

void Range::ColumnWidth(double width) const {
  sheet_->Store().Dimensions().SetColumnWidth(area_, width);
}

void Range::RowHeight(double height) const {
  sheet_->Store().Dimensions().SetRowHeight(area_, height);
}

excel::Font Range::Font() const {
  sheet_->Store().CheckOpen();
  return excel::Font(sheet_->Store(), area_);
}

excel::Interior Range::Interior() const {
  sheet_->Store().CheckOpen();
  return excel::Interior(sheet_->Store(), area_);
}

excel::Border Range::Borders(int edge) const {
  sheet_->Store().CheckOpen();
  if (edge != xlEdgeTop && edge != xlEdgeBottom) {
    RaiseSheetError("Border edge " + std::to_string(edge) + " of " + AbsoluteAddress(area_) +
                    " is not supported (xlEdgeTop, xlEdgeBottom)");
  }
  return excel::Border(sheet_->Store(), area_, edge);
}

}  // namespace kvo::excel
