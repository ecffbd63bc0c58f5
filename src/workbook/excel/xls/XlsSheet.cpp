// The worksheet substream: page setup, column formats, rows with their cells in blocks of 32
// rows indexed by INDEX and DBCELL, the window, merged areas and hyperlinks.
#include "workbook/excel/xls/XlsSheet.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <optional>
#include <span>
#include <vector>

#include "workbook/excel/store/SheetDimensions.h"
#include "workbook/excel/store/TextLines.h"
#include "workbook/excel/xls/SmallBody.h"
#include "workbook/excel/xls/XlsLimits.h"
#include "workbook/excel/xls/XlsLinks.h"
#include "workbook/excel/xls/XlsText.h"

namespace kvo::excel {

namespace {

constexpr std::uint16_t kIndex = 0x020B;
constexpr std::uint16_t kDefRowHeight = 0x0225;
constexpr std::uint16_t kWsBool = 0x0081;
constexpr std::uint16_t kFooter = 0x0015;
constexpr std::uint16_t kSetup = 0x00A1;
constexpr std::uint16_t kDefColWidth = 0x0055;
constexpr std::uint16_t kColInfo = 0x007D;
constexpr std::uint16_t kDimensions = 0x0200;
constexpr std::uint16_t kRow = 0x0208;
constexpr std::uint16_t kBlank = 0x0201;
constexpr std::uint16_t kMulBlank = 0x00BE;
constexpr std::uint16_t kNumber = 0x0203;
constexpr std::uint16_t kLabelSst = 0x00FD;
constexpr std::uint16_t kDbCell = 0x00D7;
constexpr std::uint16_t kWindow2 = 0x023E;
constexpr std::uint16_t kMergedCells = 0x00E5;

constexpr std::int32_t kRowsPerBlock = 32;
constexpr std::size_t kRowRecordSize = 4 + 16;
constexpr std::size_t kMergesPerRecord = 1026;
constexpr int kDigitPixels = 7;              // widest digit of the default font
constexpr double kHeaderFooterMargin = 0.3;  // inches

std::int32_t BlockOf(std::int32_t row) {
  return (row - 1) / kRowsPerBlock;
}

// A height in twips; one above 0 stays above 0 (a record's 0 means no height at all).
std::uint16_t Twips(double points) {
  const long twips = std::lround(points * 20);
  return static_cast<std::uint16_t>(points > 0 && twips < 1 ? 1 : twips);
}

// Width in 1/256 of the default font's digit width, with the column's padding.
std::uint16_t ColumnUnits(double widthChars) {
  return static_cast<std::uint16_t>(ColumnPixels(widthChars) * 256 / kDigitPixels);
}

bool IsBlank(const ResolvedCell& cell) {
  return cell.kind == ResolvedCell::Kind::Blank ||
         (cell.kind == ResolvedCell::Kind::Text && cell.text.empty());
}

void WriteWsBool(BiffStream& out) {
  LittleEndian body;
  body.U16(0x04C1);  // automatic page breaks, outline symbols, summary rows below and right
  out.Record(kWsBool, body);
}

void WriteDefColWidth(BiffStream& out) {
  LittleEndian body;
  body.U16(8);  // characters, without the padding
  out.Record(kDefColWidth, body);
}

// shownHeight: what a hidden row shows once unhidden.
void WriteRow(BiffStream& out, const ResolvedRow& row, const XlsStyles& styles,
              double shownHeight) {
  const bool hidden = row.height <= 0;
  const std::optional<std::uint16_t> xf =
      row.format ? std::optional<std::uint16_t>(styles.XfOf(*row.format)) : std::nullopt;
  SmallBody<16> body;
  body.U16(static_cast<std::uint16_t>(row.row - 1));
  body.U16(row.cells.empty() ? 0 : static_cast<std::uint16_t>(row.cells.front().col - 1));
  body.U16(row.cells.empty() ? 0 : static_cast<std::uint16_t>(row.cells.back().col));
  body.U16(Twips(hidden ? shownHeight : row.height));  // never 0: readers take it for broken
  body.U16(0);
  body.U16(0);
  body.U16(static_cast<std::uint16_t>(0x0100 | (hidden ? 0x20 : 0) | (row.customHeight ? 0x40 : 0) |
                                      (xf ? 0x80 : 0)));
  body.U16(xf.value_or(XlsStyles::kDefaultXf));
  out.Record(kRow, body.View());
}

// The cell records of one row. Runs of blank cells in adjacent columns share one MULBLANK
// record; stringOf gives the shared-string index of a text cell.
template <class StringOf>
void WriteCells(BiffStream& out, const ResolvedRow& row, const XlsStyles& styles,
                StringOf&& stringOf) {
  const auto rowIndex = static_cast<std::uint16_t>(row.row - 1);
  const std::span<const ResolvedCell> cells = row.cells;
  for (std::size_t i = 0; i < cells.size();) {
    const ResolvedCell& cell = cells[i];
    const auto col = static_cast<std::uint16_t>(cell.col - 1);
    if (IsBlank(cell)) {
      std::size_t end = i + 1;
      while (end < cells.size() && IsBlank(cells[end]) &&
             cells[end].col == cells[end - 1].col + 1) {
        ++end;
      }
      if (end - i == 1) {
        SmallBody<6> body;
        body.U16(rowIndex);
        body.U16(col);
        body.U16(styles.XfOf(cell.format));
        out.Record(kBlank, body.View());
      } else {
        SmallBody<6 + 2 * kXlsColumns> body;
        body.U16(rowIndex);
        body.U16(col);
        for (std::size_t k = i; k < end; ++k) body.U16(styles.XfOf(cells[k].format));
        body.U16(static_cast<std::uint16_t>(cells[end - 1].col - 1));
        out.Record(kMulBlank, body.View());
      }
      i = end;
      continue;
    }
    SmallBody<14> body;
    body.U16(rowIndex);
    body.U16(col);
    body.U16(styles.XfOf(cell.format));
    if (cell.kind == ResolvedCell::Kind::Number) {
      body.F64(cell.number);
      out.Record(kNumber, body.View());
    } else {
      body.U32(stringOf(cell));
      out.Record(kLabelSst, body.View());
    }
    ++i;
  }
}

// The records of one block of up to 32 rows as the rows come: their ROW records go straight to
// the stream, their cells wait in a buffer of their own (kept from block to block) until the
// block ends; then the cells and DBCELL follow.
class RowBlock {
 public:
  RowBlock(BiffStream& out, const XlsStyles& styles, double shownHeight)
      : out_(out), styles_(styles), shownHeight_(shownHeight) {}

  bool Holds(std::int32_t row) const { return open_ && BlockOf(row) == block_; }
  template <class StringOf>
  void Add(const ResolvedRow& row, StringOf&& stringOf) {
    if (!open_) {
      open_ = true;
      block_ = BlockOf(row.row);
      firstRow_ = out_.Position();
    }
    WriteRow(out_, row, styles_, shownHeight_);
    cellStarts_.push_back(cells_.Position());
    WriteCells(cells_, row, styles_, stringOf);
  }
  // Writes the cells and DBCELL; returns DBCELL's stream offset.
  std::uint32_t Finish() {
    const std::size_t cellsAt = out_.Position();
    out_.Append(cells_);
    const auto dbCell = static_cast<std::uint32_t>(out_.Position());
    // Offsets from DBCELL back to the block's first ROW record, and from there (after that
    // record) to the first cell record of each row, each relative to the one before.
    SmallBody<4 + 2 * kRowsPerBlock> body;
    body.U32(static_cast<std::uint32_t>(dbCell - firstRow_));
    std::size_t previous = firstRow_ + kRowRecordSize;
    for (std::size_t start : cellStarts_) {
      body.U16(static_cast<std::uint16_t>(cellsAt + start - previous));
      previous = cellsAt + start;
    }
    out_.Record(kDbCell, body.View());
    cells_.Clear();
    cellStarts_.clear();
    open_ = false;
    return dbCell;
  }

 private:
  BiffStream& out_;
  const XlsStyles& styles_;
  double shownHeight_;
  bool open_ = false;
  std::int32_t block_ = 0;
  std::size_t firstRow_ = 0;  // stream offset of the block's first ROW record
  BiffStream cells_;
  std::vector<std::size_t> cellStarts_;  // offsets in cells_
};

void WriteWindow2(BiffStream& out) {
  LittleEndian body;
  body.U16(0x06B6);  // grid lines, headings, zeros, outline symbols; selected and shown
  body.U16(0);       // top row
  body.U16(0);       // left column
  body.U32(0x40);    // grid line colour: automatic
  body.U16(0);
  body.U16(0);
  body.U32(0);
  out.Record(kWindow2, body);
}

}  // namespace

XlsSheetWriter::XlsSheetWriter(const ResolvedSheet& sheet, const XlsStyles& styles,
                               SharedStrings& strings)
    : sheet_(sheet), styles_(styles), strings_(strings) {
  std::int32_t lastBlock = -1;
  std::u16string units;
  const std::unique_ptr<RowWalk> rows = sheet.rows();
  while (const ResolvedRow* row = rows->Next()) {
    CheckXlsRow(row->row);
    if (firstRow_ == 0) firstRow_ = row->row;
    lastRow_ = row->row;
    if (BlockOf(row->row) != lastBlock) ++blocks_, lastBlock = BlockOf(row->row);
    for (const ResolvedCell& cell : row->cells) {
      if (cell.kind != ResolvedCell::Kind::Text || cell.text.empty()) continue;
      // A text the sheet numbered is turned into UTF-16 once.
      if (cell.textId != kNoTextId) {
        if (cell.textId >= stringOfText_.size()) {
          stringOfText_.resize(std::max<std::size_t>(cell.textId + 1, sheet.textIds), kNoString);
        }
        std::uint32_t& index = stringOfText_[cell.textId];
        if (index != kNoString) {
          strings.CountUse();
          continue;
        }
        ToUtf16(cell.text, kXlsMaxCellUnits, units);
        index = strings.Add(units);
      } else {
        ToUtf16(cell.text, kXlsMaxCellUnits, units);
        strings.Add(units);
      }
    }
  }
}

XlsSheetWriter::IndexFields XlsSheetWriter::WriteIndex(BiffStream& out) const {
  LittleEndian body;
  body.U32(0);
  body.U32(firstRow_ == 0 ? 0 : static_cast<std::uint32_t>(firstRow_ - 1));
  body.U32(static_cast<std::uint32_t>(lastRow_));
  body.U32(0);  // filled in below
  for (std::size_t i = 0; i < blocks_; ++i) body.U32(0);
  const std::size_t start = out.Position() + 4;
  out.Record(kIndex, body);
  return {start + 12, start + 16};
}

void XlsSheetWriter::WriteDefaultRowHeight(BiffStream& out) const {
  LittleEndian body;
  // Set by the sheet, not by its font; a default height of 0 hides the rows by default.
  const bool hidden = sheet_.defaultRowHeight <= 0;
  body.U16(static_cast<std::uint16_t>((sheet_.defaultRowHeightSet ? 0x0001 : 0) |
                                      (hidden ? 0x0002 : 0)));
  body.U16(Twips(ShownRowHeight(sheet_)));
  out.Record(kDefRowHeight, body);
}

void XlsSheetWriter::WriteFooter(BiffStream& out) const {
  if (sheet_.page.centerFooter.empty()) return;
  LittleEndian body;
  AppendString(body, u"&C" + ToUtf16(sheet_.page.centerFooter));
  out.Record(kFooter, body);
}

// The sheet's paper, 600 dots per inch, one copy: valid settings, so that the orientation counts.
void XlsSheetWriter::WriteSetup(BiffStream& out) const {
  LittleEndian body;
  body.U16(static_cast<std::uint16_t>(sheet_.page.paperSize));
  body.U16(100);  // scale in per cent
  body.U16(1);    // first page number
  body.U16(1);    // pages wide and tall when fitting
  body.U16(1);
  body.U16(sheet_.page.landscape ? 0 : 0x0002);
  body.U16(600);
  body.U16(600);
  body.F64(kHeaderFooterMargin);
  body.F64(kHeaderFooterMargin);
  body.U16(1);
  out.Record(kSetup, body);
}

void XlsSheetWriter::WriteColInfos(BiffStream& out) const {
  for (const ColumnRun& run : sheet_.columns) {
    const XlsArea columns = ToXlsArea(Rect::WholeColumns(run.first, run.last), "a column format");
    LittleEndian body;
    body.U16(columns.firstCol);
    body.U16(columns.lastCol);
    body.U16(ColumnUnits(run.width));
    body.U16(run.format ? styles_.XfOf(*run.format) : XlsStyles::kDefaultXf);
    body.U16(run.width != kDefaultColumnWidth ? 0x0002 : 0);  // width set by the sheet
    body.U16(0);
    out.Record(kColInfo, body);
  }
}

void XlsSheetWriter::WriteDimensions(BiffStream& out) const {
  LittleEndian body;
  if (sheet_.usedRange) {
    const XlsArea used = ToXlsArea(*sheet_.usedRange, "the used range");
    body.U32(used.firstRow);
    body.U32(used.lastRow + 1u);
    body.U16(used.firstCol);
    body.U16(static_cast<std::uint16_t>(used.lastCol + 1));
  } else {
    body.Zeros(12);
  }
  body.U16(0);
  out.Record(kDimensions, body);
}

std::uint32_t XlsSheetWriter::StringOf(const ResolvedCell& cell, std::u16string& units) const {
  if (cell.textId != kNoTextId && cell.textId < stringOfText_.size() &&
      stringOfText_[cell.textId] != kNoString) {
    return stringOfText_[cell.textId];
  }
  ToUtf16(cell.text, kXlsMaxCellUnits, units);
  return strings_.IndexOf(units);
}

std::vector<std::uint32_t> XlsSheetWriter::WriteRowBlocks(BiffStream& out) const {
  std::vector<std::uint32_t> dbCells;
  dbCells.reserve(blocks_);
  RowBlock block(out, styles_, ShownRowHeight(sheet_));
  std::u16string units;
  const auto stringOf = [&](const ResolvedCell& cell) { return StringOf(cell, units); };
  const std::unique_ptr<RowWalk> rows = sheet_.rows();
  bool any = false;
  while (const ResolvedRow* row = rows->Next()) {
    CheckXlsRow(row->row);
    if (any && !block.Holds(row->row)) dbCells.push_back(block.Finish());
    block.Add(*row, stringOf);
    any = true;
  }
  if (any) dbCells.push_back(block.Finish());
  return dbCells;
}

void XlsSheetWriter::WriteMergedCells(BiffStream& out) const {
  for (std::size_t first = 0; first < sheet_.merges.size(); first += kMergesPerRecord) {
    const std::size_t count = std::min(kMergesPerRecord, sheet_.merges.size() - first);
    LittleEndian body;
    body.U16(static_cast<std::uint16_t>(count));
    for (std::size_t i = first; i < first + count; ++i) {
      const XlsArea area = ToXlsArea(sheet_.merges[i], "merged area");
      body.U16(area.firstRow);
      body.U16(area.lastRow);
      body.U16(area.firstCol);
      body.U16(area.lastCol);
    }
    out.Record(kMergedCells, body);
  }
}

void XlsSheetWriter::Write(BiffStream& out) const {
  WriteBof(out, kSheetSubstream);
  const IndexFields index = WriteIndex(out);
  WriteDefaultRowHeight(out);
  WriteWsBool(out);
  WriteFooter(out);
  WriteSetup(out);
  out.PatchU32(index.columnWidth, static_cast<std::uint32_t>(out.Position()));
  WriteDefColWidth(out);
  WriteColInfos(out);
  WriteDimensions(out);
  const std::vector<std::uint32_t> dbCells = WriteRowBlocks(out);
  for (std::size_t i = 0; i < dbCells.size() && i < blocks_; ++i) {
    out.PatchU32(index.firstBlock + 4 * i, dbCells[i]);
  }
  WriteWindow2(out);
  WriteMergedCells(out);
  for (const ResolvedLink& link : sheet_.links) WriteHyperlink(out, link);
  WriteEof(out);
}

}  // namespace kvo::excel
