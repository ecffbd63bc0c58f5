// The font, interior and border handles of a range.
#include "workbook/excel/RangeFormatting.h"

#include <algorithm>
#include <cctype>
#include <cmath>
#include <sstream>
#include <string>

#include "workbook/excel/NameRules.h"
#include "workbook/excel/store/CellAddress.h"
#include "workbook/excel/store/Constants.h"
#include "workbook/excel/store/Palette.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/store/SheetStore.h"

namespace kvo::excel {

namespace {

constexpr double kMinFontSize = 1.0;
constexpr double kMaxFontSize = 409.0;

// The palette entry of an index, or no colour for the index that means "none" or "automatic".
SheetColor ColorOf(int colorIndex, int noColorIndex, const Rect& area, const char* what) {
  if (colorIndex == noColorIndex) return {};
  if (colorIndex < 1 || colorIndex > kPaletteSize) {
    RaiseSheetError(std::string(what) + " colour index " + std::to_string(colorIndex) + " of " +
                    AbsoluteAddress(area) + " is not in the palette (1 to 56)");
  }
  return SheetColor::Palette(colorIndex);
}

}  // namespace

void Font::FontStyle(std::string_view style) const {
  bool bold, italic;
  if (AsciiLowerEquals(style, "regular")) {
    bold = italic = false;
  } else if (AsciiLowerEquals(style, "bold")) {
    bold = true, italic = false;
  } else if (AsciiLowerEquals(style, "italic")) {
    bold = false, italic = true;
  } else if (AsciiLowerEquals(style, "bold italic")) {
    bold = italic = true;
  } else {
    RaiseSheetError("Font style \"" + std::string(style) + "\" of " + AbsoluteAddress(area_) +
                    " is unknown (Regular, Bold, Italic, Bold Italic)");
  }
  const SheetStore::FormatSetting settings[] = {{FormatProperty::Bold, bold ? 1.0 : 0.0},
                                                {FormatProperty::Italic, italic ? 1.0 : 0.0}};
  store_->ApplyFormats(area_, settings);
}

void Font::Size(double points) const {
  if (!std::isfinite(points) || points < kMinFontSize || points > kMaxFontSize) {
    std::ostringstream text;
    text << "Font size " << points << " of " << AbsoluteAddress(area_) << " is outside 1 to 409";
    RaiseSheetError(text.str());
  }
  store_->ApplyFormat(area_, FormatProperty::FontSize, points);
}

void Font::ColorIndex(int colorIndex) const {
  const SheetColor color = ColorOf(colorIndex, xlColorIndexAutomatic, area_, "Font");
  store_->ApplyColor(area_, FormatProperty::FontColor, color);
}

void Interior::ColorIndex(int colorIndex) const {
  const SheetColor color = ColorOf(colorIndex, xlColorIndexNone, area_, "Interior");
  store_->ApplyColor(area_, FormatProperty::InteriorColor, color);
}

void Border::LineStyle(int style) const {
  if (style != xlContinuous && style != xlLineStyleNone) {
    RaiseSheetError("Line style " + std::to_string(style) + " of " + AbsoluteAddress(area_) +
                    " is not supported (xlContinuous, xlLineStyleNone)");
  }
  if (edge_ == xlEdgeTop) {
    store_->ApplyFormat({area_.top, area_.left, area_.top, area_.right}, FormatProperty::BorderTop,
                        style);
  } else {
    store_->ApplyFormat({area_.bottom, area_.left, area_.bottom, area_.right},
                        FormatProperty::BorderBottom, style);
  }
}

}  // namespace kvo::excel
