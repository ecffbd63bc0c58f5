// Turns a worksheet into the resolved sheet its file writer reads.
#include "workbook/excel/resolved/SheetResolver.h"

#include <algorithm>
#include <cctype>
#include <map>
#include <span>

#include "workbook/excel/Worksheet.h"
#include "workbook/excel/store/SheetStore.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

namespace {

// Interns the formats the sheet's records do not carry yet (rows, columns, the cells where a
// formatted row crosses a formatted column) on top of the store's own table.
class FormatIndex {
 public:
  explicit FormatIndex(std::vector<CellFormat>& table) : table_(table) {
    for (std::uint32_t i = 0; i < table_.size(); ++i) index_.emplace(table_[i], i);
  }
  std::uint32_t operator()(const CellFormat& look) {
    auto [it, added] = index_.emplace(look, static_cast<std::uint32_t>(table_.size()));
    if (added) table_.push_back(look);
    return it->second;
  }
  // Rows and columns with the default look carry no format of their own.
  std::optional<std::uint32_t> OfRowOrColumn(const CellFormat& look) {
    if (look == CellFormat{}) return std::nullopt;
    return (*this)(look);
  }

 private:
  std::vector<CellFormat>& table_;
  std::map<CellFormat, std::uint32_t> index_;
};

// What the walk adds to a row with a format of its own: that format, and the formats of the
// cells where it crosses a formatted column (few).
struct FormattedRow {
  std::int32_t row = 0;
  std::optional<std::uint32_t> format;
  std::vector<std::pair<std::int32_t, std::uint32_t>> crossings;  // column, format
};

// What the walks need beyond the store: the rows to visit, the formatted ones (ascending) with
// the formats worked out before any writer starts. Heights are fitted as the rows come, so that
// nothing is kept per row.
struct RowPlans {
  std::int32_t lastRow = 0;
  std::vector<FormattedRow> formatted;
  double defaultHeight = kDefaultRowHeight;
};

ResolvedCell CellOf(const SheetStore& store, const StoredCell& stored) {
  ResolvedCell cell;
  cell.col = stored.col;
  cell.format = stored.format;
  if (stored.kind == CellValue::Kind::Number) {
    cell.kind = ResolvedCell::Kind::Number;
    cell.number = store.NumberOf(stored);
  } else if (stored.kind == CellValue::Kind::Text) {
    cell.kind = ResolvedCell::Kind::Text;
    cell.text = store.TextOf(stored);
    cell.textId = stored.value;
  }
  return cell;
}

// Hands out the planned rows with the cells the store holds, one row at a time.
class StoreRowWalk : public RowWalk {
 public:
  StoreRowWalk(const SheetStore& store, std::shared_ptr<const RowPlans> plans)
      : store_(store), plans_(std::move(plans)) {}

  const ResolvedRow* Next() override {
    const auto& heights = store_.Dimensions().RowHeights();
    while (row_.row < plans_->lastRow) {
      const std::int32_t row = ++row_.row;
      const std::span<const StoredCell> cells = store_.RowCells(row);
      const auto& formattedRows = plans_->formatted;
      while (formatted_ < formattedRows.size() && formattedRows[formatted_].row < row) ++formatted_;
      const FormattedRow* formatted =
          formatted_ < formattedRows.size() && formattedRows[formatted_].row == row
              ? &formattedRows[formatted_]
              : nullptr;
      const bool ownFormat = store_.RowHasFormat(row);
      if (cells.empty() && !ownFormat && !heights.contains(row)) continue;
      const double height = store_.EffectiveRowHeight(row);
      const bool crossings = formatted != nullptr && !formatted->crossings.empty();
      const bool format = formatted != nullptr && formatted->format.has_value();
      if (cells.empty() && !crossings && height == plans_->defaultHeight && !format) continue;
      Fill(cells, formatted);
      row_.height = height;
      row_.customHeight = height != plans_->defaultHeight;
      row_.format = formatted != nullptr ? formatted->format : std::nullopt;
      return &row_;
    }
    return nullptr;
  }

 private:
  // The row's cells, with a blank where a formatted row crosses a formatted column.
  void Fill(std::span<const StoredCell> cells, const FormattedRow* formatted) {
    buffer_.clear();
    if (formatted == nullptr || formatted->crossings.empty()) {
      for (const StoredCell& cell : cells) buffer_.push_back(CellOf(store_, cell));
    } else {
      const auto& crossings = formatted->crossings;
      auto crossing = crossings.begin();
      for (const StoredCell& cell : cells) {
        for (; crossing != crossings.end() && crossing->first < cell.col; ++crossing) {
          buffer_.push_back(Blank(*crossing));
        }
        if (crossing != crossings.end() && crossing->first == cell.col) ++crossing;
        buffer_.push_back(CellOf(store_, cell));
      }
      for (; crossing != crossings.end(); ++crossing) buffer_.push_back(Blank(*crossing));
    }
    row_.cells = buffer_;
  }

  // The row before the first: the walk starts on row 1.
  static ResolvedRow Before() {
    ResolvedRow row;
    row.row = 0;
    return row;
  }

  static ResolvedCell Blank(const std::pair<std::int32_t, std::uint32_t>& crossing) {
    ResolvedCell cell;
    cell.col = crossing.first;
    cell.format = crossing.second;
    return cell;
  }

  const SheetStore& store_;
  std::shared_ptr<const RowPlans> plans_;
  std::size_t formatted_ = 0;  // the first formatted row not passed yet
  std::vector<ResolvedCell> buffer_;
  ResolvedRow row_ = Before();
};

class Resolver {
 public:
  explicit Resolver(const Worksheet& sheet)
      : sheet_(sheet), store_(sheet.Store()), formats_(PrepareTable()) {}

  ResolvedSheet Resolve();

 private:
  std::vector<CellFormat>& PrepareTable() {
    out_.formats = store_.Formats().All();
    return out_.formats;
  }
  void PlanColumns();
  void PlanRows();
  void AddLinks();
  void AddPageSetup();

  const Worksheet& sheet_;
  const SheetStore& store_;
  ResolvedSheet out_;
  FormatIndex formats_;
  std::shared_ptr<RowPlans> plans_ = std::make_shared<RowPlans>();
};

void Resolver::PlanColumns() {
  const SheetDimensions& dims = store_.Dimensions();
  // Columns with a width or format of their own; all others share the sheet's.
  std::vector<std::int32_t> own;
  for (const auto& entry : dims.ColumnWidths()) own.push_back(entry.first);
  for (const auto& entry : store_.ColumnLayers()) own.push_back(entry.first);
  std::sort(own.begin(), own.end());
  own.erase(std::unique(own.begin(), own.end()), own.end());

  const double sheetWidth = dims.AllColumnsWidth().value_or(kDefaultColumnWidth);
  const std::optional<std::uint32_t> sheetFormat = formats_.OfRowOrColumn(store_.SheetFormat());
  const auto addRun = [&](std::int32_t first, std::int32_t last, double width,
                          std::optional<std::uint32_t> format) {
    if (width == kDefaultColumnWidth && !format) return;
    out_.columns.push_back({first, last, width, format});
  };
  const std::int32_t lastColumn = sheet_.Limits().columns;
  std::int32_t next = 1;
  for (std::int32_t col : own) {
    if (col > lastColumn) break;
    if (col > next) addRun(next, col - 1, sheetWidth, sheetFormat);
    addRun(col, col, dims.ColumnWidth(col), formats_.OfRowOrColumn(store_.ColumnFormat(col)));
    next = col + 1;
  }
  if (next <= lastColumn) addRun(next, lastColumn, sheetWidth, sheetFormat);
}

void Resolver::PlanRows() {
  const SheetDimensions& dims = store_.Dimensions();
  const auto& heights = dims.RowHeights();
  const std::int32_t lastRow =
      std::max(store_.LastRow(), heights.empty() ? 0 : heights.rbegin()->first);
  plans_->lastRow = lastRow;
  plans_->defaultHeight = out_.defaultRowHeight;
  std::int32_t top = 0, left = 0, bottom = 0, right = 0;
  for (std::int32_t row = 1; row <= lastRow; ++row) {
    const std::span<const StoredCell> cells = store_.RowCells(row);
    FormattedRow plan;
    if (store_.RowHasFormat(row)) {
      plan.row = row;
      plan.format = formats_.OfRowOrColumn(store_.RowFormat(row));
      // Where a formatted row crosses a formatted column, the cell needs both.
      for (const auto& [col, layer] : store_.ColumnLayers()) {
        if (store_.CellAt(row, col) == nullptr) {
          plan.crossings.emplace_back(col, formats_(store_.Resolve(row, col)));
        }
      }
    }
    // Rows without a record (cells or crossings) count for the used range only when the walk
    // hands them out, which it does for their height or format alone.
    if (!cells.empty() || !plan.crossings.empty()) {
      std::int32_t first = !cells.empty() ? cells.front().col : kMaxColumns;
      std::int32_t last = !cells.empty() ? cells.back().col : 0;
      if (!plan.crossings.empty()) {
        first = std::min(first, plan.crossings.front().first);
        last = std::max(last, plan.crossings.back().first);
      }
      if (top == 0) top = row, left = first, right = last;
      left = std::min(left, first);
      right = std::max(right, last);
      bottom = row;
    }
    if (plan.format || !plan.crossings.empty()) plans_->formatted.push_back(std::move(plan));
  }
  if (top != 0) out_.usedRange = Rect{top, left, bottom, right};
}

void Resolver::AddLinks() {
  out_.links.reserve(sheet_.Hyperlinks().Count());
  for (const auto& [key, link] : sheet_.Hyperlinks().Items()) {
    const std::int32_t row = KeyRow(key), col = KeyColumn(key);
    ResolvedLink out;
    out.row = row;
    if (const StoredCell* stored = store_.CellAt(row, col)) {
      out.anchor = CellOf(store_, *stored);
    } else {
      out.anchor.col = col;
      out.anchor.format = formats_(store_.Resolve(row, col));
    }
    out.kind = KindOfLink(link.address);
    out.address = ValidUtf8(link.address);
    out.subAddress = ValidUtf8(link.subAddress);
    out.screenTip = ValidUtf8(link.screenTip);
    out_.links.push_back(std::move(out));
  }
}

void Resolver::AddPageSetup() {
  const PageSetup& setup = sheet_.PageSetup();
  out_.page.landscape = setup.Orientation() == xlLandscape;
  out_.page.paperSize = setup.PaperSize();
  out_.page.titleRows = setup.TitleRowsArea();
  out_.page.centerFooter = ValidUtf8(setup.CenterFooter());
  out_.page.printArea = setup.PrintAreaRect();
}

ResolvedSheet Resolver::Resolve() {
  out_.name = store_.Name();
  out_.textIds = static_cast<std::uint32_t>(store_.Texts().Count());
  const SheetDimensions& dims = store_.Dimensions();
  out_.defaultRowHeight = dims.AllRowsHeight().value_or(kDefaultRowHeight);
  out_.defaultRowHeightSet = dims.AllRowsHeight().has_value();
  PlanColumns();
  out_.merges = store_.Merges().Areas();
  PlanRows();
  AddLinks();
  for (const DefinedName& name : sheet_.Names().Items()) {
    out_.names.push_back({name.name, name.refersTo});
  }
  AddPageSetup();
  out_.rows = [store = &store_, plans = plans_]() {
    return std::unique_ptr<RowWalk>(std::make_unique<StoreRowWalk>(*store, plans));
  };
  return std::move(out_);
}

}  // namespace

ResolvedSheet ResolveSheet(const Worksheet& sheet) {
  return Resolver(sheet).Resolve();
}

ResolvedLink::Kind KindOfLink(std::string_view address) {
  if (address.empty()) return ResolvedLink::Kind::Internal;
  std::size_t i = 0;
  while (i < address.size() && (std::isalnum(static_cast<unsigned char>(address[i])) ||
                                address[i] == '+' || address[i] == '.' || address[i] == '-')) {
    ++i;
  }
  const bool schemeStart = i >= 2 && std::isalpha(static_cast<unsigned char>(address[0]));
  if (schemeStart && address.substr(i).starts_with("://")) return ResolvedLink::Kind::Url;
  if (address.starts_with("mailto:")) return ResolvedLink::Kind::Url;
  return ResolvedLink::Kind::File;
}

}  // namespace kvo::excel
