// Sparse, layered cell formats: whole sheet, columns, rows, ranges and single cells.
#include "workbook/excel/store/FormatLayers.h"

#include <algorithm>

namespace kvo::excel {

namespace {

// Colours share the layers' numeric slots: -1 none, 1 to 56 a palette index, and RGB values
// above every palette index.
constexpr double kRgbBase = 0x1000000;

double EncodeColor(SheetColor color) {
  switch (color.kind) {
    case SheetColor::Kind::None:
      return -1;
    case SheetColor::Kind::Palette:
      return color.value;
    case SheetColor::Kind::Rgb:
      break;
  }
  return kRgbBase + color.value;
}

SheetColor DecodeColor(double value) {
  if (value < 0) return {};
  if (value >= kRgbBase) return SheetColor::Rgb(static_cast<std::uint32_t>(value - kRgbBase));
  return SheetColor::Palette(static_cast<int>(value));
}

}  // namespace

void FormatLayer::Set(FormatProperty property, double value, std::uint64_t stamp) {
  for (Entry& entry : entries_) {
    if (entry.property == property) {
      entry.value = value;
      entry.stamp = stamp;
      return;
    }
  }
  entries_.push_back({stamp, value, property});
}

void FormatLayers::Apply(const Rect& rect, FormatProperty property, double value) {
  const std::uint64_t stamp = ++stamp_;
  if (rect == Rect::WholeSheet()) {
    sheet_.Set(property, value, stamp);
  } else if (rect.SpansAllRows()) {
    for (std::int32_t col = rect.left; col <= rect.right; ++col) {
      columns_[col].Set(property, value, stamp);
    }
  } else if (rect.SpansAllColumns()) {
    for (std::int32_t row = rect.top; row <= rect.bottom; ++row) {
      rows_[row].Set(property, value, stamp);
    }
  } else if (rect.IsSingleCell()) {
    cells_[KeyOf(rect.top, rect.left)].Set(property, value, stamp);
  } else {
    RangeLayerFor(rect).Set(property, value, stamp);
  }
}

void FormatLayers::ApplyColor(const Rect& rect, FormatProperty property, SheetColor color) {
  Apply(rect, property, EncodeColor(color));
}

void FormatLayers::ApplyNumberFormat(const Rect& rect, std::string_view format) {
  auto it = std::find(numberFormats_.begin(), numberFormats_.end(), format);
  if (it == numberFormats_.end()) it = numberFormats_.emplace(numberFormats_.end(), format);
  Apply(rect, FormatProperty::NumberFormat, static_cast<double>(it - numberFormats_.begin()));
}

FormatLayer& FormatLayers::RangeLayerFor(const Rect& rect) {
  auto [it, inserted] = rangeByArea_.emplace(rect, static_cast<std::uint32_t>(ranges_.size()));
  if (inserted) {
    ranges_.push_back({rect, {}});
    rangeRows_.Insert(rect, it->second);
  }
  return ranges_[it->second].layer;
}

void FormatLayers::Merge(Best& best, const FormatLayer& layer) {
  for (const FormatLayer::Entry& entry : layer.Entries()) {
    FormatLayer::Entry& slot = best[static_cast<std::size_t>(entry.property)];
    if (entry.stamp > slot.stamp) slot = entry;
  }
}

CellFormat FormatLayers::Resolve(std::int32_t row, std::int32_t col) const {
  Best best{};
  Merge(best, sheet_);
  if (auto it = columns_.find(col); it != columns_.end()) Merge(best, it->second);
  if (auto it = rows_.find(row); it != rows_.end()) Merge(best, it->second);
  rangeRows_.ForEachInRow(row, [&](std::uint32_t id) {
    const RangeLayer& range = ranges_[id];
    if (range.area.Contains(row, col)) Merge(best, range.layer);
  });
  if (auto it = cells_.find(KeyOf(row, col)); it != cells_.end()) Merge(best, it->second);
  return Build(best);
}

CellFormat FormatLayers::ResolveSheet() const {
  Best best{};
  Merge(best, sheet_);
  return Build(best);
}

CellFormat FormatLayers::ResolveRow(std::int32_t row) const {
  Best best{};
  Merge(best, sheet_);
  if (auto it = rows_.find(row); it != rows_.end()) Merge(best, it->second);
  return Build(best);
}

CellFormat FormatLayers::ResolveColumn(std::int32_t col) const {
  Best best{};
  Merge(best, sheet_);
  if (auto it = columns_.find(col); it != columns_.end()) Merge(best, it->second);
  return Build(best);
}

CellFormat FormatLayers::Build(const Best& best) const {
  CellFormat format;
  for (const FormatLayer::Entry& entry : best) {
    if (entry.stamp == 0) continue;  // never set: keep the default
    const double v = entry.value;
    switch (entry.property) {
      case FormatProperty::HorizontalAlignment:
        format.horizontalAlignment = static_cast<int>(v);
        break;
      case FormatProperty::VerticalAlignment:
        format.verticalAlignment = static_cast<int>(v);
        break;
      case FormatProperty::WrapText:
        format.wrapText = v != 0;
        break;
      case FormatProperty::NumberFormat:
        format.numberFormat = numberFormats_[static_cast<std::size_t>(v)];
        break;
      case FormatProperty::Bold:
        format.bold = v != 0;
        break;
      case FormatProperty::Italic:
        format.italic = v != 0;
        break;
      case FormatProperty::FontSize:
        format.fontSize = v;
        break;
      case FormatProperty::FontColor:
        format.fontColor = DecodeColor(v);
        break;
      case FormatProperty::InteriorColor:
        format.interiorColor = DecodeColor(v);
        break;
      case FormatProperty::BorderTop:
        format.borderTop = static_cast<int>(v);
        break;
      case FormatProperty::BorderBottom:
        format.borderBottom = static_cast<int>(v);
        break;
      case FormatProperty::Underline:
        format.underline = v != 0;
        break;
    }
  }
  return format;
}

std::vector<Rect> FormatLayers::RangeAreas() const {
  std::vector<Rect> areas;
  areas.reserve(ranges_.size());
  for (const RangeLayer& range : ranges_) areas.push_back(range.area);
  return areas;
}

void FormatLayers::Clear() {
  *this = FormatLayers();
}

}  // namespace kvo::excel
