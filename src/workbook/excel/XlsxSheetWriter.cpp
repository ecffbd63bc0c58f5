// Hands one worksheet's content to libxlsxwriter: columns, rows, merges, cells, links, names
// and page setup.
#include "workbook/excel/XlsxSheetWriter.h"

#include <algorithm>
#include <set>
#include <vector>

#include "workbook/excel/CellAddress.h"
#include "workbook/excel/LinkTargets.h"
#include "workbook/excel/NameRules.h"
#include "workbook/excel/Utf8.h"
#include "workbook/excel/Worksheet.h"
#include "workbook/excel/XlsxFormats.h"
#include "workbook/excel/XlsxText.h"

namespace kvo::excel {

namespace {

// The library counts rows and columns from 0.
lxw_row_t R(std::int32_t row) {
  return static_cast<lxw_row_t>(row - 1);
}
lxw_col_t C(std::int32_t col) {
  return static_cast<lxw_col_t>(col - 1);
}

std::string CellName(std::int32_t row, std::int32_t col) {
  return AbsoluteAddress(Rect::Cell(row, col));
}

void AddArea(std::vector<CellKey>& keys, const Rect& area) {
  for (std::int32_t row = area.top; row <= area.bottom; ++row) {
    for (std::int32_t col = area.left; col <= area.right; ++col) keys.push_back(KeyOf(row, col));
  }
}

}  // namespace

void XlsxSheetWriter::Check(lxw_error error, const std::string& what) const {
  if (error != LXW_NO_ERROR) throw XlsxWriteError(what + ": " + lxw_strerror(error));
}

void XlsxSheetWriter::Write() {
  WriteColumns();
  WriteRows();
  WriteMerges();
  WriteCells();
  WriteLinks();
  WriteNames();
  WritePageSetup();
}

void XlsxSheetWriter::WriteColumns() {
  const SheetModel& model = sheet_.Model();
  const SheetDimensions& dims = model.Dimensions();
  const FormatLayers& layers = model.Formats();
  // Columns with a width or format of their own; all others share the sheet's.
  std::set<std::int32_t> own;
  for (const auto& entry : dims.ColumnWidths()) own.insert(entry.first);
  for (const auto& entry : layers.ColumnLayers()) own.insert(entry.first);

  const double sheetWidth = dims.AllColumnsWidth().value_or(kDefaultColumnWidth);
  lxw_format* sheetFormat = formats_.ForRowOrColumn(layers.ResolveSheet());
  const auto setColumns = [&](std::int32_t first, std::int32_t last, double width,
                              lxw_format* format) {
    if (width == kDefaultColumnWidth && format == nullptr) return;
    Check(worksheet_set_column(target_, C(first), C(last), width, format),
          "column " + ColumnLetters(first));
  };
  std::int32_t next = 1;
  for (std::int32_t col : own) {
    if (col > next) setColumns(next, col - 1, sheetWidth, sheetFormat);
    setColumns(col, col, dims.ColumnWidth(col), formats_.ForRowOrColumn(layers.ResolveColumn(col)));
    next = col + 1;
  }
  if (next <= kMaxColumns) setColumns(next, kMaxColumns, sheetWidth, sheetFormat);
}

void XlsxSheetWriter::WriteRows() {
  const SheetModel& model = sheet_.Model();
  const SheetDimensions& dims = model.Dimensions();
  const double sheetHeight = dims.AllRowsHeight().value_or(kDefaultRowHeight);
  if (dims.AllRowsHeight()) worksheet_set_default_row(target_, sheetHeight, LXW_FALSE);

  std::set<std::int32_t> rows;
  for (const auto& entry : dims.RowHeights()) rows.insert(entry.first);
  for (const auto& entry : model.Formats().RowLayers()) rows.insert(entry.first);
  for (const auto& entry : model.Values()) rows.insert(KeyRow(entry.first));

  for (std::int32_t row : rows) {
    lxw_format* format = nullptr;
    if (model.Formats().RowLayers().contains(row)) {
      format = formats_.ForRowOrColumn(model.Formats().ResolveRow(row));
    }
    const double height = model.EffectiveRowHeight(row);
    if (height == sheetHeight && format == nullptr) continue;
    Check(worksheet_set_row(target_, R(row), height, format), "row " + std::to_string(row));
  }
}

void XlsxSheetWriter::WriteMerges() {
  // No format and no text here: every cell of the area is written with its own look below.
  for (const Rect& area : sheet_.Model().Merges().Areas()) {
    Check(worksheet_merge_range(target_, R(area.top), C(area.left), R(area.bottom), C(area.right),
                                "", nullptr),
          "merged area " + AbsoluteAddress(area));
  }
}

void XlsxSheetWriter::WriteCells() {
  const SheetModel& model = sheet_.Model();
  const FormatLayers& layers = model.Formats();
  std::vector<CellKey> keys;
  keys.reserve(model.Values().size() + layers.CellLayers().size());
  for (const auto& entry : model.Values()) keys.push_back(entry.first);
  for (const auto& entry : layers.CellLayers()) keys.push_back(entry.first);
  for (const Rect& area : layers.RangeAreas()) AddArea(keys, area);
  for (const Rect& area : model.Merges().Areas()) AddArea(keys, area);
  // Where a formatted row crosses a formatted column, the cell needs both.
  for (const auto& row : layers.RowLayers()) {
    for (const auto& col : layers.ColumnLayers()) keys.push_back(KeyOf(row.first, col.first));
  }
  std::sort(keys.begin(), keys.end());
  keys.erase(std::unique(keys.begin(), keys.end()), keys.end());

  for (CellKey key : keys) {
    const std::int32_t row = KeyRow(key), col = KeyColumn(key);
    WriteCell(row, col, formats_.For(layers.Resolve(row, col)));
  }
}

void XlsxSheetWriter::WriteCell(std::int32_t row, std::int32_t col, lxw_format* format) {
  const CellValue* value = sheet_.Model().ValueAt(row, col);
  lxw_error error;
  if (value == nullptr) {
    error = worksheet_write_blank(target_, R(row), C(col), format);
  } else if (value->kind == CellValue::Kind::Number) {
    error = worksheet_write_number(target_, R(row), C(col), value->number, format);
  } else {
    const std::string text = CellText(value->text);
    error = text.empty() ? worksheet_write_blank(target_, R(row), C(col), format)
                         : worksheet_write_string(target_, R(row), C(col), text.c_str(), format);
  }
  Check(error, "cell " + CellName(row, col));
}

void XlsxSheetWriter::WriteLinks() {
  const SheetModel& model = sheet_.Model();
  for (const auto& [key, link] : sheet_.Hyperlinks().Items()) {
    const std::int32_t row = KeyRow(key), col = KeyColumn(key);
    lxw_format* format = formats_.For(model.Formats().Resolve(row, col));
    const CellValue* value = model.ValueAt(row, col);
    const std::string text =
        value && value->kind == CellValue::Kind::Text ? CellText(value->text) : std::string();
    const std::string target =
        WriterLinkArgument(ValidUtf8(link.address), ValidUtf8(link.subAddress));
    const std::string tip = ValidUtf8(link.screenTip);
    Check(worksheet_write_url_opt(target_, R(row), C(col), target.c_str(), format, text.c_str(),
                                  tip.empty() ? nullptr : tip.c_str()),
          "hyperlink in cell " + CellName(row, col));
    // The library rewrites the shown text of file links ("/" becomes "\"); the cell shows its
    // value exactly.
    WriteCell(row, col, format);
  }
}

void XlsxSheetWriter::WriteNames() {
  // The library keeps names sorted by their lower-case form and searches its list from the
  // front for each new one; handing them over from last to first keeps that search at one step.
  std::vector<const DefinedName*> names;
  for (const DefinedName& name : sheet_.Names().Items()) names.push_back(&name);
  std::sort(names.begin(), names.end(), [](const DefinedName* a, const DefinedName* b) {
    return NameKey(a->name) > NameKey(b->name);
  });
  const std::string sheetName = sheet_.Name();
  for (const DefinedName* name : names) {
    const std::string local = sheetName + "!" + name->name;
    const std::string formula = "=" + sheetName + "!" + AbsoluteAddress(name->refersTo);
    Check(workbook_define_name(workbook_, local.c_str(), formula.c_str()), "name " + name->name);
  }
}

void XlsxSheetWriter::WritePageSetup() {
  const excel::PageSetup& setup = sheet_.PageSetup();
  if (setup.Orientation() == xlLandscape) worksheet_set_landscape(target_);
  if (auto rows = setup.TitleRowsArea()) {
    Check(worksheet_repeat_rows(target_, R(rows->top), R(rows->bottom)), "print title rows");
  }
  if (!setup.CenterFooter().empty()) {
    const std::string footer = "&C" + ValidUtf8(setup.CenterFooter());
    Check(worksheet_set_footer(target_, footer.c_str()), "footer");
  }
  if (auto area = setup.PrintAreaRect()) {
    Check(
        worksheet_print_area(target_, R(area->top), C(area->left), R(area->bottom), C(area->right)),
        "print area");
  }
}

}  // namespace kvo::excel
