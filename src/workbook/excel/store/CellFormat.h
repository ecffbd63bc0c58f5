// The look of one cell: every format property the engine knows, with the sheet's defaults.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

#include "workbook/excel/store/Constants.h"

namespace kvo::excel {

// A colour as the object model set it: an entry of the default 56-colour palette, an RGB value
// (the hyperlink colour), or none (automatic font colour, no fill). Writers of palette-based
// formats use the index; others turn it into RGB.
struct SheetColor {
  enum class Kind : std::uint8_t { None, Palette, Rgb };

  Kind kind = Kind::None;
  std::uint32_t value = 0;  // palette index 1 to 56, or 0xRRGGBB

  static constexpr SheetColor Palette(int index) {
    return {Kind::Palette, static_cast<std::uint32_t>(index)};
  }
  static constexpr SheetColor Rgb(std::uint32_t rgb) { return {Kind::Rgb, rgb & 0xFFFFFF}; }
  constexpr bool IsSet() const { return kind != Kind::None; }
  // 0xRRGGBB of the colour; 0 for none.
  std::uint32_t ToRgb() const;

  auto operator<=>(const SheetColor&) const = default;
};

// Font colour of hyperlink cells (the link colour of the workbook's theme).
inline constexpr SheetColor kLinkColor = SheetColor::Rgb(0x0000FF);
inline constexpr double kDefaultFontSize = 11.0;

// Properties that can be set on a layer; each one is resolved on its own.
enum class FormatProperty : std::uint8_t {
  HorizontalAlignment,
  VerticalAlignment,
  WrapText,
  NumberFormat,
  Bold,
  Italic,
  FontSize,
  FontColor,
  InteriorColor,
  BorderTop,
  BorderBottom,
  Underline,
};
inline constexpr std::size_t kFormatPropertyCount = 12;

// Resolved format of a cell. Alignments are the object model's constants (xlGeneral, xlLeft,
// xlCenter, xlRight; xlTop, xlCenter, xlBottom); borders are line styles (xlContinuous, a thin
// line, or xlLineStyleNone).
struct CellFormat {
  int horizontalAlignment = xlGeneral;
  int verticalAlignment = xlBottom;
  bool wrapText = false;
  std::string numberFormat = "General";
  bool bold = false;
  bool italic = false;
  double fontSize = kDefaultFontSize;
  SheetColor fontColor;
  SheetColor interiorColor;  // solid fill when set
  int borderTop = xlLineStyleNone;
  int borderBottom = xlLineStyleNone;
  bool underline = false;

  auto operator<=>(const CellFormat&) const = default;
};

}  // namespace kvo::excel
