// A resolved sheet made from a fuzz input: a stream of operations, each adding one part of the
// sheet (a format, a column run, a row with cells, a merged area, a link, a name, a page
// setting) or many of one kind at once.
#include "FuzzSheet.h"

#include <algorithm>
#include <cmath>
#include <memory>
#include <set>

#include "workbook/excel/Hyperlinks.h"
#include "workbook/excel/NameRules.h"
#include "workbook/excel/PageSetup.h"
#include "workbook/excel/resolved/SheetResolver.h"
#include "workbook/excel/store/Constants.h"
#include "workbook/excel/store/Palette.h"
#include "workbook/excel/store/SheetDimensions.h"
#include "workbook/excel/store/Utf8.h"
#include "workbook/excel/xls/XlsStyles.h"
#include "workbook/excel/xls/XlsText.h"
#include "workbook/excel/xls/XlsWriter.h"
#include "workbook/excel/xlsx/XlsxWriter.h"

namespace kvo::fuzz {

using excel::CellFormat;
using excel::Rect;
using excel::ResolvedCell;
using excel::ResolvedLink;
using excel::SheetColor;

namespace {

constexpr std::size_t kMaxTextBytes = std::size_t{1} << 20;  // all texts of one sheet
constexpr std::size_t kMaxOperations = 2048;
constexpr std::int64_t kMaxCells = 200000;
// How far past the largest sheet the object model knows a sheet beyond the limits reaches.
constexpr std::int32_t kBeyond = 16;

constexpr const char* kNumberFormats[] = {"General", "@", "0.00", "#,##0", "yyyy-mm-dd", "0%"};
constexpr int kHorizontal[] = {excel::xlGeneral, excel::xlLeft, excel::xlCenter, excel::xlRight};
constexpr int kVertical[] = {excel::xlTop, excel::xlCenter, excel::xlBottom};
constexpr const char* kSchemes[] = {"http://", "https://", "mailto:", "ftp://", "file:///"};
constexpr const char* kFileStarts[] = {"", "C:\\", "\\\\server\\share\\", "../", "./", "d:/"};
constexpr std::string_view kNameChars =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789_";

std::size_t Utf16Units(std::string_view utf8) {
  return excel::ToUtf16(utf8).size();
}

bool HasPicture(std::string_view footer) {
  for (std::size_t i = 0; i + 1 < footer.size(); ++i) {
    if (footer[i] != '&') continue;
    if (footer[i + 1] == 'G') return true;
    ++i;
  }
  return false;
}

}  // namespace

SheetBounds XlsxBounds() {
  return {&excel::kXlsxFormat, 64000, 255, excel::PageSetup::kMaxFooterLength, &excel::Utf8Length};
}

SheetBounds XlsBounds() {
  return {&excel::kXlsFormat, excel::kXlsMaxCellFormats, 255, 253, &Utf16Units};
}

class FuzzSheet::Walk : public excel::RowWalk {
 public:
  Walk(const std::vector<Row>& rows, double defaultHeight)
      : rows_(rows), defaultHeight_(defaultHeight) {}
  const excel::ResolvedRow* Next() override {
    if (next_ >= rows_.size()) return nullptr;
    const Row& row = rows_[next_++];
    out_.row = row.row;
    out_.height = row.height;
    out_.customHeight = row.height != defaultHeight_;
    out_.format = row.format;
    out_.cells = row.cells;
    return &out_;
  }

 private:
  const std::vector<Row>& rows_;
  double defaultHeight_;
  std::size_t next_ = 0;
  excel::ResolvedRow out_;
};

FuzzSheet::FuzzSheet(FuzzInput& in, const SheetBounds& bounds) : bounds_(bounds) {
  within_ = in.Byte() % 4 != 0;
  sheet_.name = "Sheet1";
  sheet_.formats.push_back(CellFormat{});
  for (std::size_t op = 0; op < kMaxOperations && !in.Empty(); ++op) {
    switch (in.Byte() % 12) {
      case 0:
      case 1:
        AddFormat(in);
        break;
      case 2:
        AddColumnRun(in);
        break;
      case 3:
      case 4:
      case 5:
        AddRow(in);
        break;
      case 6:
        AddMerge(in);
        break;
      case 7:
      case 8:
        AddLink(in);
        break;
      case 9:
        AddName(in);
        break;
      case 10:
        SetPage(in);
        break;
      default:
        AddMany(in);
        break;
    }
  }
  Finish();
}

std::int32_t FuzzSheet::RowLimit() const {
  return within_ ? bounds_.format->limits.rows : excel::kMaxRows + kBeyond;
}

std::int32_t FuzzSheet::ColumnLimit() const {
  return within_ ? bounds_.format->limits.columns : excel::kMaxColumns + kBeyond;
}

std::string_view FuzzSheet::Keep(std::string text) {
  if (textBytes_ + text.size() > kMaxTextBytes) return {};
  textBytes_ += text.size();
  return texts_.emplace_back(std::move(text));
}

std::uint32_t FuzzSheet::FormatIndex(FuzzInput& in) {
  const std::uint8_t b = in.Byte();
  const auto count = static_cast<std::uint32_t>(sheet_.formats.size());
  // Past the limits, now and then a format the table does not have.
  if (!within_ && b >= 0xFC) return count + (b & 3);
  return b % count;
}

void FuzzSheet::AddFormat(FuzzInput& in) {
  if (within_ && sheet_.formats.size() >= bounds_.maxFormats) return;
  CellFormat look;
  const std::uint8_t flags = in.Byte();
  look.horizontalAlignment = kHorizontal[in.Pick(std::size(kHorizontal))];
  look.verticalAlignment = kVertical[in.Pick(std::size(kVertical))];
  look.wrapText = (flags & 0x01) != 0;
  look.bold = (flags & 0x02) != 0;
  look.italic = (flags & 0x04) != 0;
  look.underline = (flags & 0x08) != 0;
  look.borderTop = (flags & 0x10) != 0 ? excel::xlContinuous : excel::xlLineStyleNone;
  look.borderBottom = (flags & 0x20) != 0 ? excel::xlContinuous : excel::xlLineStyleNone;
  // Font sizes from 1 to 409 points in quarter points, as the object model takes them.
  look.fontSize = 1 + static_cast<double>(in.U16() % 1633) / 4;
  // The object model keeps number formats as they were given, in any bytes.
  const std::uint8_t numberFormat = in.Byte();
  if (numberFormat < 0xC0) {
    look.numberFormat = kNumberFormats[numberFormat % std::size(kNumberFormats)];
  } else {
    look.numberFormat = in.LongText(600);
    if (look.numberFormat.empty()) look.numberFormat = "General";
    if (within_ && bounds_.chars(look.numberFormat) > bounds_.numberFormatChars) return;
  }
  const auto color = [&]() -> SheetColor {
    const std::uint8_t kind = in.Byte();
    if (kind % 3 == 0) return {};
    if (kind % 3 == 2) return SheetColor::Rgb(in.U32());
    const std::uint8_t index = in.Byte();
    // Past the limits, now and then an entry the palette does not have.
    if (!within_ && index >= 0xF8) return SheetColor::Palette(index % 2 == 0 ? 0 : 57);
    return SheetColor::Palette(1 + index % excel::kPaletteSize);
  };
  look.fontColor = color();
  look.interiorColor = color();
  sheet_.formats.push_back(std::move(look));
}

void FuzzSheet::AddColumnRun(FuzzInput& in) {
  const std::int32_t after = sheet_.columns.empty() ? 0 : sheet_.columns.back().last;
  const std::uint8_t step = in.Byte();
  const std::int64_t first = after + 1 + (step < 0xF0 ? step % 4 : in.U16());
  const std::uint8_t span = in.Byte();
  const std::int64_t last = first + (span < 0xF0 ? span % 4 : in.U16());
  if (last > ColumnLimit()) return;
  excel::ColumnRun run;
  run.first = static_cast<std::int32_t>(first);
  run.last = static_cast<std::int32_t>(last);
  const std::uint16_t width = in.U16();
  run.width = width % 8 == 0 ? excel::kDefaultColumnWidth : static_cast<double>(width % 1021) / 4;
  if (in.Bit()) run.format = FormatIndex(in);
  sheet_.columns.push_back(run);
}

ResolvedCell FuzzSheet::MakeCell(FuzzInput& in, std::int32_t col) {
  ResolvedCell cell;
  cell.col = col;
  cell.format = FormatIndex(in);
  switch (in.Byte() % 3) {
    case 0:
      break;
    case 1: {
      cell.kind = ResolvedCell::Kind::Text;
      std::string text = in.LongText(70000);
      cell.text = Keep(within_ ? excel::FitUtf8(text, bounds_.format->limits.unitsPerCell)
                               : excel::ValidUtf8(text));
      break;
    }
    default: {
      cell.kind = ResolvedCell::Kind::Number;
      const double number = in.Double();
      cell.number = std::isfinite(number) ? number : in.Byte();
      break;
    }
  }
  return cell;
}

void FuzzSheet::AddCells(FuzzInput& in, Row& row) {
  const std::uint8_t countByte = in.Byte();
  const std::size_t count = countByte < 0xF8 ? countByte % 8 : in.U16() % 300;
  std::int64_t col = 0;
  for (std::size_t i = 0; i < count && cells_ < kMaxCells; ++i) {
    const std::uint8_t step = in.Byte();
    col += 1 + (step < 0xF0 ? step % 3 : in.U16());
    if (col > ColumnLimit()) return;
    row.cells.push_back(MakeCell(in, static_cast<std::int32_t>(col)));
    ++cells_;
  }
}

void FuzzSheet::AddRow(FuzzInput& in) {
  const std::int32_t after = rows_.empty() ? 0 : rows_.back().row;
  const std::uint8_t step = in.Byte();
  const std::int64_t row = after + 1 + (step < 0xF0 ? step % 4 : in.U32() % RowLimit());
  if (row > RowLimit()) return;
  Row out;
  out.row = static_cast<std::int32_t>(row);
  // Heights from 0 (hidden) to 409.5 points; most rows keep the default.
  const std::uint16_t height = in.U16();
  out.height = height % 4 != 0 ? excel::kDefaultRowHeight : static_cast<double>(height % 1639) / 4;
  if (in.Byte() % 4 == 0) out.format = FormatIndex(in);
  AddCells(in, out);
  rows_.push_back(std::move(out));
}

Rect FuzzSheet::MakeRect(FuzzInput& in) {
  const std::uint8_t shape = in.Byte();
  const auto span = [&](std::int32_t limit) {
    const std::int32_t first = static_cast<std::int32_t>(in.InRange(1, limit));
    const std::uint8_t size = in.Byte();
    const std::int64_t last = first + (size < 0xF0 ? size % 4 : in.U32() % limit);
    return std::pair{first, static_cast<std::int32_t>(std::min<std::int64_t>(last, limit))};
  };
  switch (shape % 8) {
    case 0: {
      const auto rows = span(RowLimit());
      return Rect::WholeRows(rows.first, rows.second);
    }
    case 1: {
      const auto cols = span(ColumnLimit());
      return Rect::WholeColumns(cols.first, cols.second);
    }
    case 2:
      return Rect::WholeSheet();
    default: {
      const auto rows = span(RowLimit());
      const auto cols = span(ColumnLimit());
      return Rect{rows.first, cols.first, rows.second, cols.second};
    }
  }
}

void FuzzSheet::AddMerge(FuzzInput& in) {
  const Rect area = MakeRect(in);
  if (within_) {
    // The object model merges no area twice and none larger than a sheet of the format.
    if (area.Height() > RowLimit() || area.Width() > ColumnLimit()) return;
    for (const Rect& other : sheet_.merges) {
      if (other.Intersects(area)) return;
    }
  }
  sheet_.merges.push_back(area);
}

void FuzzSheet::AddLink(FuzzInput& in) {
  const excel::FileLimits& limits = bounds_.format->limits;
  if (within_ && sheet_.links.size() >= limits.linksPerSheet) return;
  ResolvedLink link;
  const std::int32_t afterRow = sheet_.links.empty() ? 1 : sheet_.links.back().row;
  const std::int32_t afterCol = sheet_.links.empty() ? 0 : sheet_.links.back().anchor.col;
  const std::uint8_t step = in.Byte();
  const std::int64_t row = afterRow + (step < 0xF0 ? step % 3 : in.U32() % RowLimit());
  const std::int64_t col = (row == afterRow ? afterCol : 0) + 1 + in.Byte() % 6;
  if (row > RowLimit() || col > ColumnLimit()) return;
  link.row = static_cast<std::int32_t>(row);
  link.anchor = MakeCell(in, static_cast<std::int32_t>(col));

  // Low bits: internal, URL or file; 0x10: a sub-address; 0x20: a screen tip.
  const std::uint8_t flags = in.Byte();
  const int kind = (flags & 0x0F) % 3;
  std::string address;
  if (kind == 1) address = kSchemes[in.Pick(std::size(kSchemes))];
  if (kind == 2) address = kFileStarts[in.Pick(std::size(kFileStarts))];
  if (kind != 0) address += in.LongText(5000);
  link.address = excel::ValidUtf8(address);
  link.kind = excel::KindOfLink(link.address);
  if ((flags & 0x10) != 0 || link.address.empty()) {
    link.subAddress = excel::ValidUtf8(in.LongText(5000));
  }
  if ((flags & 0x20) != 0) link.screenTip = excel::ValidUtf8(in.LongText(600));
  if (within_) {
    // What the object model refuses to link.
    if (link.address.empty() && link.subAddress.empty()) return;
    if (link.kind == ResolvedLink::Kind::Internal && link.subAddress.find('#') != std::string::npos)
      return;
    if (excel::Utf8Length(link.screenTip) > excel::Hyperlinks::kMaxScreenTip) return;
    if (bounds_.format->linkTargetLength(link.kind, link.address, link.subAddress) >
            limits.linkAddressLength ||
        excel::Utf8Length(link.subAddress) > limits.linkAddressLength) {
      return;
    }
  }
  sheet_.links.push_back(std::move(link));
}

void FuzzSheet::AddName(FuzzInput& in) {
  std::string name = in.LongText(600);
  for (char& c : name) {
    const auto b = static_cast<unsigned char>(c);
    if (within_ || b < 0xF0) c = kNameChars[b % kNameChars.size()];
  }
  name = excel::ValidUtf8(name);
  const Rect area = MakeRect(in);
  if (within_) {
    if (excel::NameRuleViolation(name) || name.size() > bounds_.format->limits.definedNameLength) {
      return;
    }
    const std::string key = excel::AsciiLower(name);
    for (const excel::ResolvedName& other : sheet_.names) {
      if (excel::AsciiLower(other.name) == key) return;
    }
  }
  sheet_.names.push_back({std::move(name), area});
}

void FuzzSheet::SetPage(FuzzInput& in) {
  switch (in.Byte() % 6) {
    case 0:
      sheet_.page.landscape = !sheet_.page.landscape;
      break;
    case 1: {
      const Rect rows = MakeRect(in);
      sheet_.page.titleRows = Rect::WholeRows(rows.top, rows.bottom);
      break;
    }
    case 2: {
      std::string footer = excel::ValidUtf8(in.LongText(1200));
      if (within_ && (excel::Utf8Length(footer) > excel::PageSetup::kMaxFooterLength ||
                      bounds_.chars(footer) > bounds_.footerChars || HasPicture(footer))) {
        return;
      }
      sheet_.page.centerFooter = std::move(footer);
      break;
    }
    case 3:
      sheet_.page.printArea = MakeRect(in);
      break;
    case 4:
      sheet_.defaultRowHeight = static_cast<double>(in.U16() % 1639) / 4;
      sheet_.defaultRowHeightSet = true;
      break;
    default: {
      std::string name = excel::ValidUtf8(in.LongText(200));
      if (within_ && excel::SheetNameViolation(name)) return;
      sheet_.name = std::move(name);
      break;
    }
  }
}

// Rows of one cell each after the last row, all showing text (each its own when text is
// empty), so that the shared strings and the row blocks grow large.
void FuzzSheet::AddRowsAfter(std::int32_t count, std::string_view text) {
  std::int32_t row = rows_.empty() ? 0 : rows_.back().row;
  for (std::int32_t i = 0; i < count && cells_ < kMaxCells && row < RowLimit(); ++i) {
    ResolvedCell cell;
    cell.kind = ResolvedCell::Kind::Text;
    cell.text = text.empty() ? Keep("t" + std::to_string(i)) : text;
    rows_.push_back({++row, excel::kDefaultRowHeight, std::nullopt, {cell}});
    ++cells_;
  }
}

void FuzzSheet::AddMany(FuzzInput& in) {
  const excel::FileLimits& limits = bounds_.format->limits;
  const std::uint8_t what = in.Byte();
  if (within_) {
    switch (what % 3) {
      case 0:
        AddRowsAfter(1 + in.U16() % 3000, Keep(excel::ValidUtf8(in.Text())));
        break;
      case 1: {
        // Merged areas of two cells, in rows below every other merged area.
        std::int32_t row = 0;
        for (const Rect& area : sheet_.merges) row = std::max(row, area.bottom);
        const std::int32_t count = 1 + in.U16() % 2100;
        for (std::int32_t i = 0; i < count && row < RowLimit(); ++i) {
          ++row;
          sheet_.merges.push_back({row, 1, row, 2});
        }
        break;
      }
      default: {
        const std::size_t count = std::min<std::size_t>(bounds_.maxFormats, 1 + in.U16() % 4096);
        while (sheet_.formats.size() < count) {
          CellFormat look;
          look.fontSize = 1 + static_cast<double>(sheet_.formats.size() % 1633) / 4;
          look.bold = sheet_.formats.size() > 1633;
          sheet_.formats.push_back(look);
        }
        break;
      }
    }
    return;
  }
  // Just past one of the format's limits.
  switch (what % 8) {
    case 0: {
      std::int32_t row = sheet_.links.empty() ? 0 : sheet_.links.back().row;
      while (sheet_.links.size() <= limits.linksPerSheet) {
        ++row;
        for (std::int32_t col = 1; col <= 16 && sheet_.links.size() <= limits.linksPerSheet;
             ++col) {
          ResolvedLink link;
          link.row = row;
          link.anchor.col = col;
          link.subAddress = "A1";
          sheet_.links.push_back(std::move(link));
        }
      }
      break;
    }
    case 1:
      sheet_.formats.resize(bounds_.maxFormats + 1);
      break;
    case 2: {
      Row row{limits.rows + 1, excel::kDefaultRowHeight, std::nullopt, {}};
      if (!rows_.empty() && rows_.back().row >= row.row) row.row = rows_.back().row + 1;
      row.cells.push_back(MakeCell(in, 1));
      rows_.push_back(std::move(row));
      ++cells_;
      break;
    }
    case 3: {
      Row row{rows_.empty() ? 1 : rows_.back().row + 1, excel::kDefaultRowHeight, std::nullopt, {}};
      row.cells.push_back(MakeCell(in, limits.columns + 1));
      rows_.push_back(std::move(row));
      ++cells_;
      break;
    }
    case 4: {
      CellFormat look;
      look.numberFormat = std::string(bounds_.numberFormatChars + 1, '0');
      sheet_.formats.push_back(look);
      break;
    }
    case 5:
      sheet_.page.centerFooter = std::string(bounds_.footerChars + 1, 'f');
      break;
    case 6:
      sheet_.names.push_back({"N" + std::string(limits.definedNameLength, 'n'), Rect::Cell(1, 1)});
      break;
    default: {
      ResolvedLink link;
      link.row = (sheet_.links.empty() ? 0 : sheet_.links.back().row) + 1;
      link.address = std::string(limits.linkAddressLength + 1, 'a');
      link.kind = excel::KindOfLink(link.address);
      sheet_.links.push_back(std::move(link));
      break;
    }
  }
}

void FuzzSheet::Finish() {
  std::int32_t top = 0, left = 0, bottom = 0, right = 0;
  for (const Row& row : rows_) {
    if (row.cells.empty()) continue;
    if (top == 0) top = row.row, left = row.cells.front().col, right = row.cells.back().col;
    left = std::min(left, row.cells.front().col);
    right = std::max(right, row.cells.back().col);
    bottom = row.row;
  }
  if (top != 0) sheet_.usedRange = Rect{top, left, bottom, right};
  sheet_.rows = [this] {
    return std::unique_ptr<excel::RowWalk>(std::make_unique<Walk>(rows_, sheet_.defaultRowHeight));
  };
}

}  // namespace kvo::fuzz
