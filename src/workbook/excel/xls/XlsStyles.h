// Fonts, number formats and cell formats (XF records) of the workbook: one cell format for each
// entry of the resolved sheet's format table, after the style formats every workbook has.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "workbook/excel/store/CellFormat.h"
#include "workbook/excel/xls/BiffStream.h"

namespace kvo::excel {

// Cell formats a workbook file of this kind holds.
inline constexpr std::size_t kXlsMaxCellFormats = 4000;

// Colour index of a sheet colour: palette entry i is index i + 7; an RGB value takes the
// palette entry of the same colour (else the nearest one). defaultIndex stands for no colour.
// Raises the spreadsheet error for a palette index outside 1 to 56.
std::uint16_t XlsColorIndex(SheetColor color, std::uint16_t defaultIndex);

class XlsStyles {
 public:
  // Raises the spreadsheet error for more than kXlsMaxCellFormats formats or a number format
  // longer than 255 characters.
  explicit XlsStyles(const std::vector<CellFormat>& formats);

  // The XF record of entry `format` of the table; raises for an entry the table does not have.
  std::uint16_t XfOf(std::uint32_t format) const;
  // XF of cells, rows and columns without a format of their own.
  static constexpr std::uint16_t kDefaultXf = 15;

  // FONT, FORMAT, XF and STYLE records, in that order.
  void Write(BiffStream& out) const;

 private:
  struct Font {
    double size = kDefaultFontSize;
    bool bold = false;
    bool italic = false;
    bool underline = false;
    std::uint16_t color = 0x7FFF;  // automatic
    auto operator<=>(const Font&) const = default;
  };

  std::uint16_t FontIndex(const CellFormat& look);
  std::uint16_t NumberFormatIndex(const std::string& code);
  static void WriteFont(BiffStream& out, const Font& font);
  static void WriteFormat(BiffStream& out, std::uint16_t index, const std::string& code);
  static void WriteStyleXf(BiffStream& out, std::uint16_t font);
  void WriteCellXf(BiffStream& out, std::size_t format) const;
  static void WriteStyle(BiffStream& out);

  const std::vector<CellFormat>& formats_;
  std::vector<Font> fonts_;                    // after the default font
  std::vector<std::string> numberFormats_;     // custom codes, index 164 onwards
  std::vector<std::uint16_t> fontOf_;          // per format entry
  std::vector<std::uint16_t> numberFormatOf_;  // per format entry
};

}  // namespace kvo::excel
