// Fonts, number formats and cell formats (XF records) of the workbook: one cell format for each
// entry of the resolved sheet's format table, after the style formats every workbook has.
#include "workbook/excel/xls/XlsStyles.h"

#include <algorithm>
#include <cmath>
#include <limits>

#include "workbook/excel/store/Constants.h"
#include "workbook/excel/store/Palette.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/xls/XlsText.h"

namespace kvo::excel {

namespace {

constexpr std::uint16_t kFont = 0x0031;
constexpr std::uint16_t kFormat = 0x041E;
constexpr std::uint16_t kXf = 0x00E0;
constexpr std::uint16_t kStyle = 0x0293;

constexpr std::uint16_t kAutomaticFont = 0x7FFF;
constexpr std::uint8_t kAutomaticLine = 0x40;
constexpr std::uint16_t kFillForeground = 0x40;  // the window's text colour
constexpr std::uint16_t kFillBackground = 0x41;  // the window's background colour
constexpr std::uint16_t kFirstPaletteIndex = 8;

// Built-in number formats the workbook refers to without a FORMAT record.
constexpr std::uint16_t kGeneralFormat = 0;
constexpr std::uint16_t kTextFormat = 49;  // "@"
constexpr std::uint16_t kFirstCustomFormat = 164;

// The fifth font is never stored: indexes jump from 3 to 5.
constexpr std::uint16_t kFontsBeforeGap = 4;
constexpr std::uint16_t kStyleXfs = 15;

std::uint8_t HorizontalCode(int alignment) {
  switch (alignment) {
    case xlLeft:
      return 1;
    case xlCenter:
      return 2;
    case xlRight:
      return 3;
    default:
      return 0;  // general
  }
}

std::uint8_t VerticalCode(int alignment) {
  switch (alignment) {
    case xlTop:
      return 0;
    case xlCenter:
      return 1;
    default:
      return 2;  // bottom
  }
}

std::uint32_t LineCode(int lineStyle) {
  return lineStyle == xlContinuous ? 1 : 0;  // thin or none
}

int Channel(std::uint32_t rgb, int shift) {
  return static_cast<int>((rgb >> shift) & 0xFF);
}

}  // namespace

std::uint16_t XlsColorIndex(SheetColor color, std::uint16_t defaultIndex) {
  switch (color.kind) {
    case SheetColor::Kind::None:
      return defaultIndex;
    case SheetColor::Kind::Palette:
      PaletteRgb(static_cast<int>(color.value));  // raises for an index outside the palette
      return static_cast<std::uint16_t>(kFirstPaletteIndex - 1 + color.value);
    case SheetColor::Kind::Rgb:
      break;
  }
  int best = 1;
  long bestDistance = std::numeric_limits<long>::max();
  for (int i = 1; i <= kPaletteSize; ++i) {
    const std::uint32_t rgb = PaletteRgb(i);
    long distance = 0;
    for (int shift : {0, 8, 16}) {
      const long d = Channel(rgb, shift) - Channel(color.value, shift);
      distance += d * d;
    }
    if (distance < bestDistance) best = i, bestDistance = distance;
  }
  return static_cast<std::uint16_t>(kFirstPaletteIndex - 1 + best);
}

XlsStyles::XlsStyles(const std::vector<CellFormat>& formats) : formats_(formats) {
  if (formats.size() > kXlsMaxCellFormats) {
    RaiseSheetError("the sheet uses " + std::to_string(formats.size()) +
                    " cell formats, more than the " + std::to_string(kXlsMaxCellFormats) +
                    " an Excel 97-2003 file holds");
  }
  for (const CellFormat& look : formats) {
    fontOf_.push_back(FontIndex(look));
    numberFormatOf_.push_back(NumberFormatIndex(look.numberFormat));
  }
}

std::uint16_t XlsStyles::FontIndex(const CellFormat& look) {
  Font font;
  font.size = look.fontSize;
  font.bold = look.bold;
  font.italic = look.italic;
  font.underline = look.underline;
  font.color = XlsColorIndex(look.fontColor, kAutomaticFont);
  if (font == Font{}) return 0;
  auto it = std::find(fonts_.begin(), fonts_.end(), font);
  if (it == fonts_.end()) it = fonts_.insert(fonts_.end(), font);
  return static_cast<std::uint16_t>(kFontsBeforeGap + 1 + (it - fonts_.begin()));
}

std::uint16_t XlsStyles::NumberFormatIndex(const std::string& code) {
  if (code == "General") return kGeneralFormat;
  if (code == "@") return kTextFormat;
  if (ToUtf16(code).size() > 255) {
    RaiseSheetError("number format \"" + code.substr(0, 40) + "...\" has more than 255 characters");
  }
  auto it = std::find(numberFormats_.begin(), numberFormats_.end(), code);
  if (it == numberFormats_.end()) it = numberFormats_.insert(numberFormats_.end(), code);
  return static_cast<std::uint16_t>(kFirstCustomFormat + (it - numberFormats_.begin()));
}

std::uint16_t XlsStyles::XfOf(std::uint32_t format) const {
  if (format >= formats_.size()) {
    RaiseSheetError("no format " + std::to_string(format));
  }
  return static_cast<std::uint16_t>(kDefaultXf + format);
}

void XlsStyles::WriteFont(BiffStream& out, const Font& font) {
  LittleEndian body;
  body.U16(static_cast<std::uint16_t>(std::lround(font.size * 20)));  // twips
  // Bold is given by the weight, and again by the first option bit, which readers also look at.
  body.U16(static_cast<std::uint16_t>((font.bold ? 0x0001 : 0) | (font.italic ? 0x0002 : 0)));
  body.U16(font.color);
  body.U16(font.bold ? 700 : 400);
  body.U16(0);  // neither superscript nor subscript
  body.U8(font.underline ? 1 : 0);
  body.U8(2);  // family: proportional, without serifs
  body.U8(0);  // character set: ANSI
  body.U8(0);
  AppendShortString(body, u"Calibri");
  out.Record(kFont, body);
}

void XlsStyles::WriteFormat(BiffStream& out, std::uint16_t index, const std::string& code) {
  LittleEndian body;
  body.U16(index);
  AppendString(body, ToUtf16(code));
  out.Record(kFormat, body);
}

// The style formats every workbook has; all show the default look.
void XlsStyles::WriteStyleXf(BiffStream& out, std::uint16_t font) {
  LittleEndian body;
  body.U16(font);
  body.U16(kGeneralFormat);
  body.U16(0xFFF5);  // locked, a style, no parent
  body.U8(0x20);     // bottom aligned
  body.U8(0);
  body.U8(0);
  body.U8(font == 0 ? 0 : 0xF4);  // the styles after Normal carry only their font
  body.U32(0);
  body.U32(0);
  body.U16(kFillForeground | (kFillBackground << 7));
  out.Record(kXf, body);
}

void XlsStyles::WriteCellXf(BiffStream& out, std::size_t format) const {
  const CellFormat& look = formats_[format];
  LittleEndian body;
  body.U16(fontOf_[format]);
  body.U16(numberFormatOf_[format]);
  body.U16(0x0001);  // locked, a cell format of the Normal style
  body.U8(static_cast<std::uint8_t>(HorizontalCode(look.horizontalAlignment) |
                                    (look.wrapText ? 0x08 : 0) |
                                    (VerticalCode(look.verticalAlignment) << 4)));
  body.U8(0);     // no rotation
  body.U8(0);     // no indent
  body.U8(0xFC);  // every attribute is the format's own
  const std::uint32_t top = LineCode(look.borderTop);
  const std::uint32_t bottom = LineCode(look.borderBottom);
  body.U32((top << 8) | (bottom << 12));
  const std::uint32_t topColor = top != 0 ? kAutomaticLine : 0;
  const std::uint32_t bottomColor = bottom != 0 ? kAutomaticLine : 0;
  const bool filled = look.interiorColor.IsSet();
  body.U32(topColor | (bottomColor << 7) | (filled ? 1u << 26 : 0));
  const std::uint16_t fore = filled ? XlsColorIndex(look.interiorColor, 0) : kFillForeground;
  body.U16(static_cast<std::uint16_t>(fore | (kFillBackground << 7)));
  out.Record(kXf, body);
}

// The built-in Normal style, on the first style format.
void XlsStyles::WriteStyle(BiffStream& out) {
  LittleEndian body;
  body.U16(0x8000);  // built-in, style format 0
  body.U8(0);        // Normal
  body.U8(0xFF);
  out.Record(kStyle, body);
}

void XlsStyles::Write(BiffStream& out) const {
  for (int i = 0; i < kFontsBeforeGap; ++i) WriteFont(out, Font{});
  for (const Font& font : fonts_) WriteFont(out, font);
  for (std::size_t i = 0; i < numberFormats_.size(); ++i) {
    WriteFormat(out, static_cast<std::uint16_t>(kFirstCustomFormat + i), numberFormats_[i]);
  }
  for (std::uint16_t i = 0; i < kStyleXfs; ++i) {
    // Style formats 1 to 4 use fonts 1 and 2, as the application's own files do.
    WriteStyleXf(out, i >= 1 && i <= 4 ? static_cast<std::uint16_t>((i + 1) / 2) : 0);
  }
  for (std::size_t i = 0; i < formats_.size(); ++i) WriteCellXf(out, i);
  WriteStyle(out);
}

}  // namespace kvo::excel
