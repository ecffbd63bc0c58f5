// The worksheet part: sheet view and row heights, columns, the rows with their cells (streamed
// a block of rows at a time), merged areas, hyperlinks and the page setup.
#include "workbook/excel/xlsx/WorksheetPart.h"

#include <algorithm>
#include <charconv>
#include <climits>
#include <string>
#include <vector>

#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/xlsx/LinkTargets.h"
#include "workbook/excel/xlsx/XlsxLimits.h"
#include "workbook/excel/xlsx/XlsxText.h"

namespace kvo::excel {

namespace {

constexpr double kStandardRowHeight = 15;
constexpr double kStandardColumnWidth = 8.43;
// Pixels of a digit of the default font and the padding a column adds.
constexpr double kDigitPixels = 7;
constexpr double kPaddingPixels = 5;
// Rows share the column span of their cells in blocks of this many.
constexpr std::int32_t kSpanBlock = 16;

void AppendInt(std::string& out, std::int64_t value) {
  char digits[24];
  out.append(digits, std::to_chars(digits, digits + sizeof digits, value).ptr);
}

// "B6": the cell's reference as cells and merged areas give it.
void AppendCellRef(std::string& out, std::int32_t row, std::int32_t col) {
  char letters[4];
  int n = 0;
  for (; col > 0; col = (col - 1) / 26) letters[n++] = static_cast<char>('A' + (col - 1) % 26);
  while (n > 0) out += letters[--n];
  AppendInt(out, row);
}

std::string CellRef(std::int32_t row, std::int32_t col) {
  std::string ref;
  AppendCellRef(ref, row, col);
  return ref;
}

// "A1:J4", or "A1" for a single cell.
std::string AreaRef(const Rect& area) {
  std::string ref = CellRef(area.top, area.left);
  if (!area.IsSingleCell()) ref += ":" + CellRef(area.bottom, area.right);
  return ref;
}

// One cell's XML record, built in a fixed buffer: "<c r="XFD1048576" s="N" t="s"><v>N</v></c>"
// with the longest number text fits.
class CellRecord {
 public:
  void Put(char c) { *end_++ = c; }
  template <std::size_t N>
  void Put(const char (&text)[N]) {
    std::copy(text, text + N - 1, end_);
    end_ += N - 1;
  }
  void PutInt(std::int64_t value) {
    end_ = std::to_chars(end_, buffer_ + sizeof buffer_, value).ptr;
  }
  void PutNumber(double value) { end_ += FormatNumber(value, end_); }
  // The column's letters, then the row's digits as the row wrote them once.
  void PutCellRef(std::int32_t col, std::string_view rowDigits) {
    char letters[4];
    int n = 0;
    for (; col > 0; col = (col - 1) / 26) letters[n++] = static_cast<char>('A' + (col - 1) % 26);
    while (n > 0) *end_++ = letters[--n];
    end_ = std::copy(rowDigits.begin(), rowDigits.end(), end_);
  }
  std::string_view View() const { return {buffer_, static_cast<std::size_t>(end_ - buffer_)}; }

 private:
  char buffer_[64 + kMaxNumberText];
  char* end_ = buffer_;
};

// The rows of one block, held until the block ends because each row with cells carries the
// column span of all cells of its block.
class RowBlock {
 public:
  bool Holds(std::int32_t row) const { return block_ == (row - 1) / kSpanBlock; }
  void Start(std::int32_t row) {
    block_ = (row - 1) / kSpanBlock;
    text_.clear();
    spanAt_.clear();
    first_ = INT32_MAX;
    last_ = 0;
  }
  std::string& Text() { return text_; }
  // The span of the row being written goes here; its cells run from first to last.
  void MarkSpan(std::int32_t first, std::int32_t last) {
    spanAt_.push_back(text_.size());
    first_ = std::min(first_, first);
    last_ = std::max(last_, last);
  }
  void WriteTo(XmlStream& xml) {
    std::string span = " spans=\"";
    AppendInt(span, first_);
    span += ':';
    AppendInt(span, last_);
    span += '"';
    std::size_t done = 0;
    for (std::size_t at : spanAt_) {
      xml.Raw(std::string_view(text_).substr(done, at - done)).Raw(span);
      done = at;
    }
    xml.Raw(std::string_view(text_).substr(done));
    xml.MaybeFlush();
    text_.clear();
    spanAt_.clear();
  }

 private:
  std::int32_t block_ = -1;
  std::string text_;
  std::vector<std::size_t> spanAt_;
  std::int32_t first_ = INT32_MAX;
  std::int32_t last_ = 0;
};

class WorksheetWriter {
 public:
  WorksheetWriter(XmlStream& xml, const ResolvedSheet& sheet, StylesPart& styles,
                  SharedStringsPart& strings)
      : xml_(xml), sheet_(sheet), styles_(styles), strings_(strings) {}

  void Write() {
    xml_.Declaration().Raw(
        "<worksheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\" "
        "xmlns:r=\"http://schemas.openxmlformats.org/officeDocument/2006/relationships\">");
    xml_.Raw("<dimension")
        .Attr("ref", sheet_.usedRange ? AreaRef(*sheet_.usedRange) : std::string("A1"))
        .Raw("/>");
    xml_.Raw("<sheetViews><sheetView tabSelected=\"1\" workbookViewId=\"0\"/></sheetViews>");
    // A default height of 0 hides the rows by default; the height they show unhidden stays.
    if (sheet_.defaultRowHeight <= 0) {
      xml_.Raw("<sheetFormatPr").NumberAttr("defaultRowHeight", ShownRowHeight(sheet_));
      xml_.Raw(" zeroHeight=\"1\"/>");
    } else {
      xml_.Raw("<sheetFormatPr").NumberAttr("defaultRowHeight", sheet_.defaultRowHeight);
      if (sheet_.defaultRowHeight != kStandardRowHeight) xml_.Raw(" customHeight=\"1\"");
      xml_.Raw("/>");
    }
    WriteColumns();
    WriteRows();
    WriteMerges();
    WriteLinks();
    WritePageSetup();
    xml_.Raw("</worksheet>");
  }

 private:
  void WriteColumns() {
    if (sheet_.columns.empty()) return;
    xml_.Raw("<cols>");
    for (const ColumnRun& run : sheet_.columns) {
      xml_.Raw("<col")
          .Attr("min", std::int64_t{run.first})
          .Attr("max", std::int64_t{run.last})
          .NumberAttr("width", StoredColumnWidth(run.width));
      if (run.format) {
        if (const std::uint32_t xf = styles_.XfOf(*run.format))
          xml_.Attr("style", std::int64_t{xf});
      }
      if (run.width != kStandardColumnWidth) xml_.Raw(" customWidth=\"1\"");
      xml_.Raw("/>");
    }
    xml_.Raw("</cols>");
  }

  void WriteRows() {
    const std::unique_ptr<RowWalk> rows = sheet_.rows();
    const ResolvedRow* row = rows->Next();
    if (row == nullptr) {
      xml_.Raw("<sheetData/>");
      return;
    }
    xml_.Raw("<sheetData>");
    RowBlock block;
    block.Start(row->row);
    for (; row != nullptr; row = rows->Next()) {
      if (!block.Holds(row->row)) {
        block.WriteTo(xml_);
        block.Start(row->row);
      }
      WriteRow(block, *row);
    }
    block.WriteTo(xml_);
    xml_.Raw("</sheetData>");
  }

  void WriteRow(RowBlock& block, const ResolvedRow& row) {
    CheckXlsxRow(row);
    std::string& out = block.Text();
    char digits[16];
    const std::string_view rowDigits(
        digits, static_cast<std::size_t>(
                    std::to_chars(digits, digits + sizeof digits, row.row).ptr - digits));
    out += "<row r=\"";
    out += rowDigits;
    out += '"';
    if (!row.cells.empty()) {
      block.MarkSpan(row.cells.front().col, row.cells.back().col);
    } else if (sheet_.defaultRowHeightSet) {  // rows without cells then span one column
      out += " spans=\"1:1\"";
    }
    if (row.format) {
      if (const std::uint32_t xf = styles_.XfOf(*row.format)) {
        out += " s=\"";
        AppendInt(out, xf);
        out += '"';
      }
      out += " customFormat=\"1\"";
    }
    // Any height but the standard one is written, also one that only repeats the sheet's
    // default row height.
    if (row.height <= 0) {
      // Hidden: a height of 0 is no height to readers; the row keeps the one it shows unhidden.
      char height[kMaxNumberText];
      const double shown = ShownRowHeight(sheet_);
      out += " ht=\"";
      out.append(height, FormatNumber(shown, height));
      out += "\" hidden=\"1\" customHeight=\"1\"";
    } else if (row.height != kStandardRowHeight) {
      char height[kMaxNumberText];
      out += " ht=\"";
      out.append(height, FormatNumber(row.height, height));
      out += "\" customHeight=\"1\"";
    }
    if (row.cells.empty()) {
      out += "/>";
      return;
    }
    out += '>';
    for (const ResolvedCell& cell : row.cells) WriteCell(out, rowDigits, cell);
    out += "</row>";
  }

  // The shared string of a cell's text; a text the sheet numbered is looked up once.
  std::uint32_t StringOf(const ResolvedCell& cell) {
    if (cell.textId == kNoTextId) return NewString(cell.text);
    if (cell.textId >= stringOfText_.size()) {
      stringOfText_.resize(std::max<std::size_t>(cell.textId + 1, sheet_.textIds), kNoString);
    }
    std::uint32_t& number = stringOfText_[cell.textId];
    if (number == kNoString) {
      number = NewString(cell.text);
    } else {
      strings_.CountUse();
    }
    return number;
  }
  std::uint32_t NewString(std::string_view text) {
    // The sheet's own texts outlive the part; escaped copies do not.
    return IsCellTextAsIs(text) ? strings_.Use(text, true) : strings_.Use(CellText(text), false);
  }

  void WriteCell(std::string& out, std::string_view rowDigits, const ResolvedCell& cell) {
    // The record is put together in one buffer and appended at once: most sheets have millions.
    CellRecord record;
    record.Put("<c r=\"");
    record.PutCellRef(cell.col, rowDigits);
    record.Put('"');
    if (const std::uint32_t xf = styles_.XfOf(cell.format)) {
      record.Put(" s=\"");
      record.PutInt(xf);
      record.Put('"');
    }
    if (cell.kind == ResolvedCell::Kind::Number) {
      record.Put("><v>");
      record.PutNumber(cell.number);
      record.Put("</v></c>");
    } else if (cell.kind == ResolvedCell::Kind::Text && !cell.text.empty()) {
      record.Put(" t=\"s\"><v>");
      record.PutInt(StringOf(cell));
      record.Put("</v></c>");
    } else {
      record.Put("/>");
    }
    out.append(record.View());
  }

  void WriteMerges() {
    const auto areas = static_cast<std::int64_t>(
        std::count_if(sheet_.merges.begin(), sheet_.merges.end(),
                      [](const Rect& area) { return !area.IsSingleCell(); }));
    if (areas == 0) return;
    xml_.Raw("<mergeCells").Attr("count", areas).Raw(">");
    std::string ref;
    for (const Rect& area : sheet_.merges) {
      if (area.IsSingleCell()) continue;
      // References hold letters and digits only: nothing to escape.
      ref.assign("<mergeCell ref=\"");
      AppendCellRef(ref, area.top, area.left);
      ref += ':';
      AppendCellRef(ref, area.bottom, area.right);
      ref += "\"/>";
      xml_.Raw(ref);
      xml_.MaybeFlush();
    }
    xml_.Raw("</mergeCells>");
    xml_.MaybeFlush();
  }

  void WriteLinks() {
    if (sheet_.links.empty()) return;
    xml_.Raw("<hyperlinks>");
    std::int64_t relationship = 0;
    for (const ResolvedLink& link : sheet_.links) {
      xml_.Raw("<hyperlink").Attr("ref", CellRef(link.row, link.anchor.col));
      if (link.kind != ResolvedLink::Kind::Internal) {
        xml_.Raw(" r:id=\"rId").Int(++relationship).Raw("\"");
      }
      if (const auto location = LinkLocation(link.kind, link.address, link.subAddress)) {
        xml_.Attr("location", *location);
      }
      if (!link.screenTip.empty()) xml_.Attr("tooltip", link.screenTip);
      if (link.kind == ResolvedLink::Kind::Internal) {
        const bool text = link.anchor.kind == ResolvedCell::Kind::Text;
        xml_.Attr("display", text ? CellText(link.anchor.text) : std::string());
      }
      xml_.Raw("/>");
      xml_.MaybeFlush();
    }
    xml_.Raw("</hyperlinks>");
  }

  void WritePageSetup() {
    xml_.Raw(
        "<pageMargins left=\"0.7\" right=\"0.7\" top=\"0.75\" bottom=\"0.75\" header=\"0.3\" "
        "footer=\"0.3\"/>");
    xml_.Raw("<pageSetup paperSize=\"")
        .Raw(std::to_string(sheet_.page.paperSize))
        .Raw(sheet_.page.landscape ? "\" orientation=\"landscape\"/>"
                                   : "\" orientation=\"portrait\"/>");
    if (!sheet_.page.centerFooter.empty()) {
      xml_.Raw("<headerFooter><oddFooter>")
          .Text("&C")
          .Text(sheet_.page.centerFooter)
          .Raw("</oddFooter></headerFooter>");
    }
  }

  static constexpr std::uint32_t kNoString = 0xFFFFFFFF;

  XmlStream& xml_;
  const ResolvedSheet& sheet_;
  StylesPart& styles_;
  SharedStringsPart& strings_;
  std::vector<std::uint32_t> stringOfText_;  // by text number: its shared string, or kNoString
};

}  // namespace

void WriteWorksheetPart(XmlStream& xml, const ResolvedSheet& sheet, StylesPart& styles,
                        SharedStringsPart& strings) {
  WorksheetWriter(xml, sheet, styles, strings).Write();
}

double StoredColumnWidth(double width) {
  width = std::clamp(width, 0.0, 255.0);
  if (width <= 0) return 0;
  // Below one character the padding shrinks with the width.
  const double pixels =
      width < 1 ? static_cast<std::uint16_t>(width * (kDigitPixels + kPaddingPixels) + 0.5)
                : static_cast<std::uint16_t>(width * kDigitPixels + 0.5) + kPaddingPixels;
  return static_cast<std::uint16_t>(pixels / kDigitPixels * 256.0) / 256.0;
}

}  // namespace kvo::excel
