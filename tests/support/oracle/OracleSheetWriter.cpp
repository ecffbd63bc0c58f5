// Hands one resolved sheet to libxlsxwriter: columns, merges, rows with their cells and links,
// names and page setup.
#include "support/oracle/OracleSheetWriter.h"

#include <algorithm>
#include <vector>

#include "support/oracle/OracleFormats.h"
#include "support/oracle/OracleLinks.h"
#include "workbook/excel/NameRules.h"
#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/xlsx/XlsxText.h"

namespace kvo::excel::oracle {

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

}  // namespace

void OracleSheetWriter::Write() {
  WriteColumns();
  WriteMerges();
  WriteRows();
  WriteNames();
  WritePageSetup();
}

void OracleSheetWriter::WriteColumns() {
  for (const ColumnRun& run : sheet_.columns) {
    Check(worksheet_set_column(target_, C(run.first), C(run.last), run.width,
                               formats_.ForRowOrColumn(run.format)),
          [&] { return "column " + ColumnLetters(run.first); });
  }
}

void OracleSheetWriter::WriteMerges() {
  // No format and no text here: every cell of the area is written with its own look below.
  for (const Rect& area : sheet_.merges) {
    Check(worksheet_merge_range(target_, R(area.top), C(area.left), R(area.bottom), C(area.right),
                                "", nullptr),
          [&] { return "merged area " + AbsoluteAddress(area); });
  }
}

// A link is written where the walk meets its cell, so that the cell's text is counted once
// among the shared strings and numbered in the order of the rows.
void OracleSheetWriter::WriteRows() {
  if (sheet_.defaultRowHeightSet) {
    worksheet_set_default_row(target_, sheet_.defaultRowHeight, LXW_FALSE);
  }
  auto link = sheet_.links.begin();
  const auto before = [](const ResolvedLink& l, std::int32_t row, std::int32_t col) {
    return l.row < row || (l.row == row && l.anchor.col < col);
  };
  const std::unique_ptr<RowWalk> rows = sheet_.rows();
  while (const ResolvedRow* row = rows->Next()) {
    if (row->customHeight || row->format) {
      Check(worksheet_set_row(target_, R(row->row), row->height,
                              formats_.ForRowOrColumn(row->format)),
            [&] { return "row " + std::to_string(row->row); });
    }
    for (const ResolvedCell& cell : row->cells) {
      while (link != sheet_.links.end() && before(*link, row->row, cell.col)) WriteLink(*link++);
      if (link != sheet_.links.end() && link->row == row->row && link->anchor.col == cell.col) {
        WriteLink(*link++);
      } else {
        WriteCell(row->row, cell);
      }
    }
  }
  while (link != sheet_.links.end()) WriteLink(*link++);
}

void OracleSheetWriter::WriteCell(std::int32_t row, const ResolvedCell& cell) {
  lxw_format* format = formats_.For(cell.format);
  lxw_error error;
  if (cell.kind == ResolvedCell::Kind::Number) {
    error = worksheet_write_number(target_, R(row), C(cell.col), cell.number, format);
  } else {
    const std::string text =
        cell.kind == ResolvedCell::Kind::Text ? CellText(cell.text) : std::string();
    error = text.empty()
                ? worksheet_write_blank(target_, R(row), C(cell.col), format)
                : worksheet_write_string(target_, R(row), C(cell.col), text.c_str(), format);
  }
  Check(error, [&] { return "cell " + CellName(row, cell.col); });
}

void OracleSheetWriter::WriteLink(const ResolvedLink& link) {
  const ResolvedCell& cell = link.anchor;
  // The library writes "\" for "/" in the text it shows for file links, so links to files and
  // URLs are given no text and their cell is written after with its value; the text shown for
  // internal links is also stored with the link.
  const bool internal = link.kind == ResolvedLink::Kind::Internal;
  const std::string text =
      internal && cell.kind == ResolvedCell::Kind::Text ? CellText(cell.text) : std::string();
  const std::string target = LinkArgument(link.kind, link.address, link.subAddress);
  Check(worksheet_write_url_opt(target_, R(link.row), C(cell.col), target.c_str(),
                                formats_.For(cell.format), text.c_str(),
                                link.screenTip.empty() ? nullptr : link.screenTip.c_str()),
        [&] { return "hyperlink in cell " + CellName(link.row, cell.col); });
  // The library shows no number in a link's cell.
  if (!internal || cell.kind == ResolvedCell::Kind::Number) WriteCell(link.row, cell);
}

void OracleSheetWriter::WriteNames() {
  // The library keeps names sorted by their lower-case form and searches its list from the
  // front for each new one; handing them over from last to first keeps that search at one step.
  std::vector<const ResolvedName*> names;
  for (const ResolvedName& name : sheet_.names) names.push_back(&name);
  std::sort(names.begin(), names.end(), [](const ResolvedName* a, const ResolvedName* b) {
    return AsciiLower(a->name) > AsciiLower(b->name);
  });
  for (const ResolvedName* name : names) {
    const std::string local = sheet_.name + "!" + name->name;
    const std::string formula = "=" + sheet_.name + "!" + AbsoluteAddress(name->refersTo);
    Check(workbook_define_name(workbook_, local.c_str(), formula.c_str()),
          [&] { return "name " + name->name; });
  }
}

void OracleSheetWriter::WritePageSetup() {
  const ResolvedPageSetup& setup = sheet_.page;
  worksheet_set_paper(target_, static_cast<std::uint8_t>(setup.paperSize));
  if (setup.landscape) worksheet_set_landscape(target_);
  if (setup.titleRows) {
    Check(worksheet_repeat_rows(target_, R(setup.titleRows->top), R(setup.titleRows->bottom)),
          [] { return std::string("print title rows"); });
  }
  if (!setup.centerFooter.empty()) {
    const std::string footer = "&C" + setup.centerFooter;
    Check(worksheet_set_footer(target_, footer.c_str()), [] { return std::string("footer"); });
  }
  if (const auto& area = setup.printArea) {
    Check(
        worksheet_print_area(target_, R(area->top), C(area->left), R(area->bottom), C(area->right)),
        [] { return std::string("print area"); });
  }
}

}  // namespace kvo::excel::oracle
