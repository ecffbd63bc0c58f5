// A worksheet: the entry to its cells, ranges, names, hyperlinks and page setup.
#include "workbook/excel/Worksheet.h"

#include "workbook/excel/CellAddress.h"
#include "workbook/excel/SheetError.h"

namespace kvo::excel {

Worksheet::Worksheet(std::string name)
    : model_(std::move(name)), names_(model_), links_(model_), pageSetup_(model_) {}

excel::Range Worksheet::Cells() {
  model_.CheckOpen();
  return excel::Range(*this, Rect::WholeSheet());
}

excel::Range Worksheet::Cells(std::int64_t row, std::int64_t col) {
  model_.CheckOpen();
  CheckRow(row);
  CheckColumn(col);
  return excel::Range(*this,
                      Rect::Cell(static_cast<std::int32_t>(row), static_cast<std::int32_t>(col)));
}

excel::Range Worksheet::Rows(std::int64_t row) {
  model_.CheckOpen();
  CheckRow(row);
  const auto r = static_cast<std::int32_t>(row);
  return excel::Range(*this, Rect::WholeRows(r, r));
}

excel::Range Worksheet::Columns() {
  model_.CheckOpen();
  return excel::Range(*this, Rect::WholeSheet());
}

excel::Range Worksheet::Columns(std::int64_t col) {
  model_.CheckOpen();
  CheckColumn(col);
  const auto c = static_cast<std::int32_t>(col);
  return excel::Range(*this, Rect::WholeColumns(c, c));
}

excel::Range Worksheet::Range(const excel::Range& first, const excel::Range& last) {
  model_.CheckOpen();
  if (&first.Parent() != this || &last.Parent() != this) {
    RaiseSheetError("Range on sheet " + Name() + " is built from cells of another sheet");
  }
  return excel::Range(*this, first.Area().Union(last.Area()));
}

excel::Range Worksheet::Range(std::string_view address) {
  model_.CheckOpen();
  auto rect = ParseAddress(address);
  if (!rect) {
    RaiseSheetError("\"" + std::string(address) + "\" is no reference inside sheet " + Name());
  }
  return excel::Range(*this, *rect);
}

excel::Names& Worksheet::Names() {
  model_.CheckOpen();
  return names_;
}

excel::Hyperlinks& Worksheet::Hyperlinks() {
  model_.CheckOpen();
  return links_;
}

excel::PageSetup& Worksheet::PageSetup() {
  model_.CheckOpen();
  return pageSetup_;
}

CellValue Worksheet::ValueAt(std::int32_t row, std::int32_t col) const {
  const CellValue* value = model_.ValueAt(row, col);
  return value ? *value : CellValue{};
}

CellFormat Worksheet::EffectiveFormat(std::int32_t row, std::int32_t col) const {
  return model_.Formats().Resolve(row, col);
}

double Worksheet::EffectiveRowHeight(std::int32_t row) const {
  return model_.EffectiveRowHeight(row);
}

double Worksheet::EffectiveColumnWidth(std::int32_t col) const {
  return model_.Dimensions().ColumnWidth(col);
}

std::optional<Rect> Worksheet::MergeAreaAt(std::int32_t row, std::int32_t col) const {
  return model_.Merges().AreaAt(row, col);
}

void Worksheet::Close() {
  model_.Close();
  names_.Clear();
  links_.Clear();
  pageSetup_.Clear();
}

}  // namespace kvo::excel
