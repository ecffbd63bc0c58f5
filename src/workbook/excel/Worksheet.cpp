// A worksheet: the entry to its cells, ranges, names, hyperlinks and page setup.
#include "workbook/excel/Worksheet.h"

#include <algorithm>

#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

Worksheet::Worksheet(std::string name, const FileFormat& format)
    : store_(std::move(name)), names_(*this), links_(*this), pageSetup_(store_), format_(&format) {}

void Worksheet::CheckRowInSheet(std::int64_t row) {
  // A row past the last one means the sheet is full: everything after it is refused too.
  if (row > format_->limits.rows) full_ = true;
  CheckRow(row, format_->limits.rows);
}

void Worksheet::SetText(const Rect& rect, std::string_view text) {
  // Plain printable text within the limit is stored as it is, without a fitted copy.
  const bool bPlain =
      text.size() <= format_->limits.unitsPerCell &&
      std::all_of(text.begin(), text.end(), [](char c) { return c >= 0x20 && c < 0x7F; });
  if (bPlain) {
    store_.SetText(rect, text);
  } else {
    store_.SetText(rect, CellText(text));
  }
}

std::string Worksheet::CellText(std::string_view text) {
  bool cut = false;
  std::string fitted = FitUtf8(text, format_->limits.unitsPerCell, &cut);
  if (cut) ++cutTexts_;
  return fitted;
}

excel::Range Worksheet::Cells() {
  store_.CheckOpen();
  return excel::Range(*this, Rect::WholeSheet());
}

excel::Range Worksheet::Cells(std::int64_t row, std::int64_t col) {
  store_.CheckOpen();
  CheckRowInSheet(row);
  CheckColumn(col, format_->limits.columns);
  return excel::Range(*this,
                      Rect::Cell(static_cast<std::int32_t>(row), static_cast<std::int32_t>(col)));
}

excel::Range Worksheet::Rows(std::int64_t row) {
  store_.CheckOpen();
  CheckRowInSheet(row);
  const auto r = static_cast<std::int32_t>(row);
  return excel::Range(*this, Rect::WholeRows(r, r));
}

excel::Range Worksheet::Columns() {
  store_.CheckOpen();
  return excel::Range(*this, Rect::WholeSheet());
}

excel::Range Worksheet::Columns(std::int64_t col) {
  store_.CheckOpen();
  CheckColumn(col, format_->limits.columns);
  const auto c = static_cast<std::int32_t>(col);
  return excel::Range(*this, Rect::WholeColumns(c, c));
}

excel::Range Worksheet::Range(const excel::Range& first, const excel::Range& last) {
  store_.CheckOpen();
  if (&first.Parent() != this || &last.Parent() != this) {
    RaiseSheetError("Range on sheet " + Name() + " is built from cells of another sheet");
  }
  return excel::Range(*this, first.Area().Union(last.Area()));
}

excel::Names& Worksheet::Names() {
  store_.CheckOpen();
  return names_;
}

excel::Hyperlinks& Worksheet::Hyperlinks() {
  store_.CheckOpen();
  return links_;
}

excel::PageSetup& Worksheet::PageSetup() {
  store_.CheckOpen();
  return pageSetup_;
}

CellValue Worksheet::ValueAt(std::int32_t row, std::int32_t col) const {
  const StoredCell* cell = store_.CellAt(row, col);
  if (cell == nullptr || cell->kind == CellValue::Kind::Empty) return {};
  if (cell->kind == CellValue::Kind::Number) return CellValue::Number(store_.NumberOf(*cell));
  return CellValue::Text(std::string(store_.TextOf(*cell)));
}

CellFormat Worksheet::EffectiveFormat(std::int32_t row, std::int32_t col) const {
  return store_.Resolve(row, col);
}

double Worksheet::EffectiveRowHeight(std::int32_t row) const {
  return store_.EffectiveRowHeight(row);
}

std::optional<Rect> Worksheet::MergeAreaAt(std::int32_t row, std::int32_t col) const {
  return store_.Merges().AreaAt(row, col);
}

void Worksheet::Close() {
  store_.Close();
  names_.Clear();
  links_.Clear();
  pageSetup_.Clear();
}

}  // namespace kvo::excel
