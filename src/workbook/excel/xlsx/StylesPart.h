// The styles part: one cell format record (xf) per distinct look, numbered in order of first
// use, with the fonts, fills, borders and number formats they use, each listed once.
#pragma once

#include <compare>
#include <cstdint>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "workbook/excel/store/CellFormat.h"
#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

class StylesPart {
 public:
  // formats is the resolved sheet's table; it must outlive this part. Entry 0 of the file's
  // records is the default look.
  explicit StylesPart(const std::vector<CellFormat>& formats);

  // The record of the table's entry format; the first use of a look numbers it. Raises
  // WriteError for an entry the table does not have.
  std::uint32_t XfOf(std::uint32_t format);
  // Writes xl/styles.xml. Raises what the stream's sink raises.
  void Write(XmlStream& xml) const;

 private:
  struct Font {
    bool bold = false;
    bool italic = false;
    bool underline = false;
    double size = kDefaultFontSize;
    std::optional<std::uint32_t> rgb;  // none: the theme's text colour
    auto operator<=>(const Font&) const = default;
  };
  struct Border {
    bool top = false;
    bool bottom = false;
    auto operator<=>(const Border&) const = default;
  };
  struct Xf {
    std::uint32_t numFmt = 0;
    std::uint32_t font = 0;
    std::uint32_t fill = 0;
    std::uint32_t border = 0;
    int horizontal = xlGeneral;
    int vertical = xlBottom;
    bool wrap = false;
    auto operator<=>(const Xf&) const = default;
  };

  std::uint32_t AddXf(const CellFormat& look);
  template <class T>
  static std::uint32_t NumberOf(std::map<T, std::uint32_t>& numbers, std::vector<T>& ordered,
                                const T& value, std::uint32_t first);
  void WriteFont(XmlStream& xml, const Font& font) const;
  void WriteXf(XmlStream& xml, const Xf& xf) const;

  static constexpr std::uint32_t kUnset = UINT32_MAX;
  static constexpr std::uint32_t kFirstCustomNumFmt = 164;
  static constexpr std::uint32_t kFirstFill = 2;  // after "none" and "gray125"

  const std::vector<CellFormat>& formats_;
  std::vector<std::uint32_t> xfOfFormat_;
  std::map<Xf, std::uint32_t> xfNumbers_;
  std::vector<Xf> xfs_;
  std::map<std::string, std::uint32_t> numFmtNumbers_;
  std::vector<std::string> numFmts_;
  std::map<Font, std::uint32_t> fontNumbers_;
  std::vector<Font> fonts_;
  std::map<std::uint32_t, std::uint32_t> fillNumbers_;  // by solid fill colour
  std::vector<std::uint32_t> fills_;
  std::map<Border, std::uint32_t> borderNumbers_;
  std::vector<Border> borders_;
};

}  // namespace kvo::excel
