// Turns a worksheet into the resolved sheet its file writer reads.
#include "workbook/excel/resolved/SheetResolver.h"

#include <algorithm>
#include <cctype>
#include <map>

#include "workbook/excel/Worksheet.h"
#include "workbook/excel/store/SheetStore.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

namespace {

// What one row will hold: its place, height and format, and the columns of its cell records
// with their formats (kept in cellPlans_).
struct RowPlan {
  ResolvedRow row;
  std::size_t firstCell = 0;
  std::size_t cellCount = 0;
};
struct CellPlan {
  std::int32_t col;
  std::uint32_t format;
};

// Works out rows, cells and formats once; walks then only add the values.
class Resolver {
 public:
  explicit Resolver(const Worksheet& sheet) : sheet_(sheet), store_(sheet.Store()) {}

  ResolvedSheet Resolve();

 private:
  std::uint32_t FormatIndex(const CellFormat& look);
  std::optional<std::uint32_t> RowOrColumnFormat(const CellFormat& look);
  void PlanColumns();
  std::vector<std::int32_t> RowsWithRecords() const;
  std::vector<std::int32_t> CellColumns(std::int32_t row) const;
  void PlanRows();
  void AddLinks();

  const Worksheet& sheet_;
  const SheetStore& store_;
  ResolvedSheet out_;
  std::map<CellFormat, std::uint32_t> formatIndex_;
  std::shared_ptr<std::vector<RowPlan>> rowPlans_ = std::make_shared<std::vector<RowPlan>>();
  std::shared_ptr<std::vector<CellPlan>> cellPlans_ = std::make_shared<std::vector<CellPlan>>();
};

std::uint32_t Resolver::FormatIndex(const CellFormat& look) {
  auto [it, added] = formatIndex_.emplace(look, static_cast<std::uint32_t>(out_.formats.size()));
  if (added) out_.formats.push_back(look);
  return it->second;
}

// Rows and columns with the default look carry no format of their own.
std::optional<std::uint32_t> Resolver::RowOrColumnFormat(const CellFormat& look) {
  if (look == CellFormat{}) return std::nullopt;
  return FormatIndex(look);
}

void Resolver::PlanColumns() {
  const SheetDimensions& dims = store_.Dimensions();
  const FormatLayers& layers = store_.Formats();
  // Columns with a width or format of their own; all others share the sheet's.
  std::vector<std::int32_t> own;
  for (const auto& entry : dims.ColumnWidths()) own.push_back(entry.first);
  for (const auto& entry : layers.ColumnLayers()) own.push_back(entry.first);
  std::sort(own.begin(), own.end());
  own.erase(std::unique(own.begin(), own.end()), own.end());

  const double sheetWidth = dims.AllColumnsWidth().value_or(kDefaultColumnWidth);
  const std::optional<std::uint32_t> sheetFormat = RowOrColumnFormat(layers.ResolveSheet());
  const auto addRun = [&](std::int32_t first, std::int32_t last, double width,
                          std::optional<std::uint32_t> format) {
    if (width == kDefaultColumnWidth && !format) return;
    out_.columns.push_back({first, last, width, format});
  };
  std::int32_t next = 1;
  for (std::int32_t col : own) {
    if (col > next) addRun(next, col - 1, sheetWidth, sheetFormat);
    addRun(col, col, dims.ColumnWidth(col), RowOrColumnFormat(layers.ResolveColumn(col)));
    next = col + 1;
  }
  const std::int32_t lastColumn = sheet_.Limits().columns;
  if (next <= lastColumn) addRun(next, lastColumn, sheetWidth, sheetFormat);
}

std::vector<std::int32_t> Resolver::RowsWithRecords() const {
  const FormatLayers& layers = store_.Formats();
  std::vector<std::int32_t> rows;
  const auto addArea = [&](const Rect& area) {
    for (std::int32_t row = area.top; row <= area.bottom; ++row) rows.push_back(row);
  };
  for (const auto& entry : store_.Dimensions().RowHeights()) rows.push_back(entry.first);
  for (const auto& entry : layers.RowLayers()) rows.push_back(entry.first);
  for (const auto& entry : store_.Values()) rows.push_back(KeyRow(entry.first));
  for (const auto& entry : layers.CellLayers()) rows.push_back(KeyRow(entry.first));
  for (const Rect& area : layers.RangeAreas()) addArea(area);
  for (const Rect& area : store_.Merges().Areas()) addArea(area);
  std::sort(rows.begin(), rows.end());
  rows.erase(std::unique(rows.begin(), rows.end()), rows.end());
  return rows;
}

// Columns of the row's cell records: values, cell and range formats, merged areas, and where a
// formatted row crosses a formatted column (the cell needs both).
std::vector<std::int32_t> Resolver::CellColumns(std::int32_t row) const {
  const FormatLayers& layers = store_.Formats();
  std::vector<std::int32_t> cols;
  const auto addSpan = [&](const Rect& area) {
    if (row < area.top || row > area.bottom) return;
    for (std::int32_t col = area.left; col <= area.right; ++col) cols.push_back(col);
  };
  const auto addKeys = [&](const auto& byKey) {
    for (auto it = byKey.lower_bound(KeyOf(row, 0)); it != byKey.end() && KeyRow(it->first) == row;
         ++it) {
      cols.push_back(KeyColumn(it->first));
    }
  };
  addKeys(store_.Values());
  addKeys(layers.CellLayers());
  layers.ForEachRangeInRow(row, addSpan);
  store_.Merges().ForEachInRow(row, addSpan);
  if (layers.RowLayers().contains(row)) {
    for (const auto& entry : layers.ColumnLayers()) cols.push_back(entry.first);
  }
  std::sort(cols.begin(), cols.end());
  cols.erase(std::unique(cols.begin(), cols.end()), cols.end());
  return cols;
}

void Resolver::PlanRows() {
  const FormatLayers& layers = store_.Formats();
  std::int32_t top = 0, left = 0, bottom = 0, right = 0;
  for (std::int32_t row : RowsWithRecords()) {
    RowPlan plan;
    plan.row.row = row;
    plan.row.height = store_.EffectiveRowHeight(row);
    plan.row.customHeight = plan.row.height != out_.defaultRowHeight;
    if (layers.RowLayers().contains(row))
      plan.row.format = RowOrColumnFormat(layers.ResolveRow(row));
    plan.firstCell = cellPlans_->size();
    for (std::int32_t col : CellColumns(row)) {
      cellPlans_->push_back({col, FormatIndex(layers.Resolve(row, col))});
    }
    plan.cellCount = cellPlans_->size() - plan.firstCell;
    if (plan.cellCount == 0 && !plan.row.customHeight && !plan.row.format) continue;
    if (plan.cellCount > 0) {
      const std::int32_t first = (*cellPlans_)[plan.firstCell].col;
      const std::int32_t last = cellPlans_->back().col;
      if (top == 0) top = row, left = first, right = last;
      left = std::min(left, first);
      right = std::max(right, last);
      bottom = row;
    }
    rowPlans_->push_back(plan);
  }
  if (top != 0) out_.usedRange = Rect{top, left, bottom, right};
}

// Hands out the planned rows with the values the store holds.
class PlannedRowWalk : public RowWalk {
 public:
  PlannedRowWalk(const SheetStore& store, std::shared_ptr<const std::vector<RowPlan>> rows,
                 std::shared_ptr<const std::vector<CellPlan>> cells)
      : store_(store), rows_(std::move(rows)), cells_(std::move(cells)) {}

  const ResolvedRow* Next() override {
    if (next_ >= rows_->size()) return nullptr;
    const RowPlan& plan = (*rows_)[next_++];
    buffer_.clear();
    for (std::size_t i = 0; i < plan.cellCount; ++i) {
      const CellPlan& cell = (*cells_)[plan.firstCell + i];
      buffer_.push_back(Cell(plan.row.row, cell.col, cell.format, store_));
    }
    row_ = plan.row;
    row_.cells = buffer_;
    return &row_;
  }

  static ResolvedCell Cell(std::int32_t row, std::int32_t col, std::uint32_t format,
                           const SheetStore& store) {
    ResolvedCell cell;
    cell.col = col;
    cell.format = format;
    if (const CellValue* value = store.ValueAt(row, col)) {
      if (value->kind == CellValue::Kind::Number) {
        cell.kind = ResolvedCell::Kind::Number;
        cell.number = value->number;
      } else if (value->kind == CellValue::Kind::Text) {
        cell.kind = ResolvedCell::Kind::Text;
        cell.text = value->text;
      }
    }
    return cell;
  }

 private:
  const SheetStore& store_;
  std::shared_ptr<const std::vector<RowPlan>> rows_;
  std::shared_ptr<const std::vector<CellPlan>> cells_;
  std::size_t next_ = 0;
  std::vector<ResolvedCell> buffer_;
  ResolvedRow row_;
};

void Resolver::AddLinks() {
  for (const auto& [key, link] : sheet_.Hyperlinks().Items()) {
    const std::int32_t row = KeyRow(key), col = KeyColumn(key);
    ResolvedLink out;
    out.row = row;
    out.anchor =
        PlannedRowWalk::Cell(row, col, FormatIndex(store_.Formats().Resolve(row, col)), store_);
    out.kind = KindOfLink(link.address);
    out.address = ValidUtf8(link.address);
    out.subAddress = ValidUtf8(link.subAddress);
    out.screenTip = ValidUtf8(link.screenTip);
    out_.links.push_back(std::move(out));
  }
}

ResolvedSheet Resolver::Resolve() {
  out_.name = store_.Name();
  const SheetDimensions& dims = store_.Dimensions();
  out_.defaultRowHeight = dims.AllRowsHeight().value_or(kDefaultRowHeight);
  out_.defaultRowHeightSet = dims.AllRowsHeight().has_value();
  FormatIndex(CellFormat{});
  PlanColumns();
  out_.merges = store_.Merges().Areas();
  PlanRows();
  AddLinks();
  for (const DefinedName& name : sheet_.Names().Items()) {
    out_.names.push_back({name.name, name.refersTo});
  }
  const PageSetup& setup = sheet_.PageSetup();
  out_.page.landscape = setup.Orientation() == xlLandscape;
  out_.page.titleRows = setup.TitleRowsArea();
  out_.page.centerFooter = ValidUtf8(setup.CenterFooter());
  out_.page.printArea = setup.PrintAreaRect();
  out_.rows = [store = &store_, rows = rowPlans_, cells = cellPlans_]() {
    return std::unique_ptr<RowWalk>(std::make_unique<PlannedRowWalk>(*store, rows, cells));
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
