// The look of one cell: every format property the engine knows, with the sheet's defaults.
#pragma once

#include <compare>
#include <cstdint>
#include <string>

#include "workbook/excel/Constants.h"

namespace kvo::excel {

// Font colour "automatic" and interior "no fill".
inline constexpr std::int32_t kNoColor = -1;
// Font colour of hyperlink cells (the link colour of the workbook's theme).
inline constexpr std::int32_t kLinkColor = 0x0000FF;
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

// Resolved format of a cell. Colours are RGB values (0xRRGGBB) or kNoColor; borders are line
// styles (xlContinuous or xlLineStyleNone).
struct CellFormat {
  int horizontalAlignment = xlGeneral;
  int verticalAlignment = xlBottom;
  bool wrapText = false;
  std::string numberFormat = "General";
  bool bold = false;
  bool italic = false;
  double fontSize = kDefaultFontSize;
  std::int32_t fontColor = kNoColor;
  std::int32_t interiorColor = kNoColor;
  int borderTop = xlLineStyleNone;
  int borderBottom = xlLineStyleNone;
  bool underline = false;

  auto operator<=>(const CellFormat&) const = default;
};

}  // namespace kvo::excel
