// The distinct cell formats of a sheet, each stored once and referred to by its index.
#include "workbook/excel/store/FormatTable.h"

#include <algorithm>
#include <bit>
#include <functional>

namespace kvo::excel {

namespace {

// Colours share the numeric property values: -1 none, 1 to 56 a palette index, and RGB values
// above every palette index.
constexpr double kRgbBase = 0x1000000;

SheetColor DecodeColor(double value) {
  if (value < 0) return {};
  if (value >= kRgbBase) return SheetColor::Rgb(static_cast<std::uint32_t>(value - kRgbBase));
  return SheetColor::Palette(static_cast<int>(value));
}

// A 64-bit value folded into the seed; a 32-bit size_t takes both halves.
void Mix(std::size_t& seed, std::uint64_t value) {
  if constexpr (sizeof(std::size_t) < sizeof(std::uint64_t)) value ^= value >> 32;
  seed ^= static_cast<std::size_t>(value + 0x9E3779B97F4A7C15ULL) + (seed << 6) + (seed >> 2);
}

}  // namespace

FormatTable::FormatTable() {
  Intern(CellFormat{});
}

std::size_t FormatTable::FormatHash::operator()(const CellFormat& f) const {
  std::size_t seed = std::hash<std::string>()(f.numberFormat);
  Mix(seed, static_cast<std::size_t>(f.horizontalAlignment));
  Mix(seed, static_cast<std::size_t>(f.verticalAlignment));
  Mix(seed,
      (f.wrapText ? 1u : 0u) | (f.bold ? 2u : 0u) | (f.italic ? 4u : 0u) | (f.underline ? 8u : 0u));
  Mix(seed, std::bit_cast<std::uint64_t>(f.fontSize));
  Mix(seed, (static_cast<std::uint64_t>(f.fontColor.kind) << 32) | f.fontColor.value);
  Mix(seed, (static_cast<std::uint64_t>(f.interiorColor.kind) << 32) | f.interiorColor.value);
  Mix(seed, static_cast<std::size_t>(f.borderTop) * 31 + static_cast<std::size_t>(f.borderBottom));
  return seed;
}

std::size_t FormatTable::ChangeHash::operator()(const Change& c) const {
  std::size_t seed = c.base;
  Mix(seed, static_cast<std::size_t>(c.property));
  Mix(seed, std::bit_cast<std::uint64_t>(c.value));
  return seed;
}

std::uint32_t FormatTable::Intern(const CellFormat& format) {
  auto [it, added] = index_.emplace(format, static_cast<std::uint32_t>(formats_.size()));
  if (added) formats_.push_back(format);
  return it->second;
}

std::uint32_t FormatTable::With(std::uint32_t base, FormatProperty property, double value) {
  const Change change{base, property, value};
  if (recent_.empty()) recent_.assign(kRecentChanges, {{kNoFormat, property, 0}, 0});
  RecentChange& recent = recent_[ChangeHash()(change) % kRecentChanges];
  if (recent.change == change) return recent.result;
  std::uint32_t index;
  if (auto it = changes_.find(change); it != changes_.end()) {
    index = it->second;
  } else {
    CellFormat format = formats_[base];
    SetProperty(format, property, value);
    index = Intern(format);
    changes_.emplace(change, index);
  }
  recent = {change, index};
  return index;
}

double FormatTable::ColorValue(SheetColor color) {
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

double FormatTable::NumberFormatValue(std::string_view numberFormat) {
  auto it = std::find(numberFormats_.begin(), numberFormats_.end(), numberFormat);
  if (it == numberFormats_.end()) it = numberFormats_.emplace(numberFormats_.end(), numberFormat);
  return static_cast<double>(it - numberFormats_.begin());
}

CellFormat FormatTable::Layered(const FormatLayer& sheet, const FormatLayer* column,
                                const FormatLayer* row) const {
  CellFormat format;
  for (std::size_t i = 0; i < kFormatPropertyCount; ++i) {
    const auto property = static_cast<FormatProperty>(i);
    FormatLayer::Entry best = sheet.Get(property);
    for (const FormatLayer* layer : {column, row}) {
      if (layer == nullptr) continue;
      if (const FormatLayer::Entry entry = layer->Get(property); entry.stamp > best.stamp) {
        best = entry;
      }
    }
    if (best.stamp != 0) SetProperty(format, property, best.value);
  }
  return format;
}

void FormatTable::SetProperty(CellFormat& format, FormatProperty property, double v) const {
  switch (property) {
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

}  // namespace kvo::excel
