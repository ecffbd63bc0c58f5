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
  std::optional<std::uint32_t> format;
  std::vector<std::pair<std::int32_t, std::uint32_t>> crossings;  // column, format
};

// What the walk adds to a stored row: its height, and its format when it has one.
struct RowPlan {
  std::int32_t row;
  std::uint32_t formatted;  // 1 + index into RowPlans::formatted; 0 for none
  double height;
};

struct RowPlans {
  std::vector<RowPlan> rows;
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
    if (next_ >= plans_->rows.size()) return nullptr;
    const RowPlan& plan = plans_->rows[next_++];
    const FormattedRow* formatted =
        plan.formatted != 0 ? &plans_->formatted[plan.formatted - 1] : nullptr;
    buffer_.clear();
    const std::span<const StoredCell> cells = store_.RowCells(plan.row);
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
    row_.row = plan.row;
    row_.height = plan.height;
    row_.customHeight = plan.height != plans_->defaultHeight;
    row_.format = formatted != nullptr ? formatted->format : std::nullopt;
    row_.cells = buffer_;
    return &row_;
  }

 private:
  static ResolvedCell Blank(const std::pair<std::int32_t, std::uint32_t>& crossing) {
    ResolvedCell cell;
    cell.col = crossing.first;
    cell.format = crossing.second;
    return cell;
  }

  const SheetStore& store_;
  std::shared_ptr<const RowPlans> plans_;
  std::size_t next_ = 0;
  std::vector<ResolvedCell> buffer_;
  ResolvedRow row_;
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
  plans_->defaultHeight = out_.defaultRowHeight;
  plans_->rows.reserve(static_cast<std::size_t>(std::max(store_.LastRow(), 0)));
  std::int32_t top = 0, left = 0, bottom = 0, right = 0;
  for (std::int32_t row = 1; row <= lastRow; ++row) {
    const std::span<const StoredCell> cells = store_.RowCells(row);
    const bool formatted = store_.RowHasFormat(row);
    const bool hasCells = !cells.empty();
    if (!hasCells && !formatted && !heights.contains(row)) continue;
    const double height = store_.EffectiveRowHeight(row);
    FormattedRow plan;
    if (formatted) {
      plan.format = formats_.OfRowOrColumn(store_.RowFormat(row));
      // Where a formatted row crosses a formatted column, the cell needs both.
      for (const auto& [col, layer] : store_.ColumnLayers()) {
        if (store_.CellAt(row, col) == nullptr) {
          plan.crossings.emplace_back(col, formats_(store_.Resolve(row, col)));
        }
      }
    }
    const bool hasRecords = hasCells || !plan.crossings.empty();
    if (!hasRecords && height == out_.defaultRowHeight && !plan.format) continue;
    if (hasRecords) {
      std::int32_t first = hasCells ? cells.front().col : kMaxColumns;
      std::int32_t last = hasCells ? cells.back().col : 0;
      if (!plan.crossings.empty()) {
        first = std::min(first, plan.crossings.front().first);
        last = std::max(last, plan.crossings.back().first);
      }
      if (top == 0) top = row, left = first, right = last;
      left = std::min(left, first);
      right = std::max(right, last);
      bottom = row;
    }
    std::uint32_t formattedIndex = 0;
    if (plan.format || !plan.crossings.empty()) {
      plans_->formatted.push_back(std::move(plan));
      formattedIndex = static_cast<std::uint32_t>(plans_->formatted.size());
    }
    plans_->rows.push_back({row, formattedIndex, height});
  }
  if (top != 0) out_.usedRange = Rect{top, left, bottom, right};
}

void Resolver::AddLinks() {
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
