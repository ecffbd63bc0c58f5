// The styles part: one cell format record (xf) per distinct look, numbered in order of first
// use, with the fonts, fills, borders and number formats they use, each listed once.
#include "workbook/excel/xlsx/StylesPart.h"

#include <string>

#include "workbook/excel/sink/WriteError.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

namespace {

// "FF" (opaque) and the colour's hexadecimal RGB.
std::string Argb(std::uint32_t rgb) {
  static constexpr char kHex[] = "0123456789ABCDEF";
  std::string text = "FF";
  for (int shift = 20; shift >= 0; shift -= 4) text += kHex[(rgb >> shift) & 0xF];
  return text;
}

const char* HorizontalName(int alignment) {
  switch (alignment) {
    case xlLeft:
      return "left";
    case xlCenter:
      return "center";
    case xlRight:
      return "right";
    default:
      return nullptr;  // general
  }
}

// Bottom is the file's default and is not written.
const char* VerticalName(int alignment) {
  switch (alignment) {
    case xlTop:
      return "top";
    case xlCenter:
      return "center";
    default:
      return nullptr;
  }
}

void WriteEdge(XmlStream& xml, const char* edge, bool thin) {
  xml.Raw("<").Raw(edge);
  if (thin) {
    xml.Raw(" style=\"thin\"><color auto=\"1\"/></").Raw(edge).Raw(">");
  } else {
    xml.Raw("/>");
  }
}

}  // namespace

StylesPart::StylesPart(const std::vector<CellFormat>& formats)
    : formats_(formats), xfOfFormat_(formats.size(), kUnset) {
  AddXf(CellFormat{});
}

std::uint32_t StylesPart::XfOf(std::uint32_t format) {
  if (format >= xfOfFormat_.size()) {
    throw WriteError("the sheet refers to format " + std::to_string(format) +
                     ", which its table does not have");
  }
  std::uint32_t& xf = xfOfFormat_[format];
  if (xf == kUnset) xf = AddXf(formats_[format]);
  return xf;
}

template <class T>
std::uint32_t StylesPart::NumberOf(std::map<T, std::uint32_t>& numbers, std::vector<T>& ordered,
                                   const T& value, std::uint32_t first) {
  const auto [it, added] =
      numbers.emplace(value, first + static_cast<std::uint32_t>(ordered.size()));
  if (added) ordered.push_back(value);
  return it->second;
}

std::uint32_t StylesPart::AddXf(const CellFormat& look) {
  Xf xf;
  if (look.numberFormat != "General") {
    // The object model keeps a number format in whatever bytes it was given; the part takes
    // UTF-8 alone.
    xf.numFmt =
        NumberOf(numFmtNumbers_, numFmts_, ValidUtf8(look.numberFormat), kFirstCustomNumFmt);
  }
  Font font{look.bold, look.italic, look.underline, look.fontSize, std::nullopt};
  if (look.fontColor.IsSet()) font.rgb = look.fontColor.ToRgb();
  xf.font = NumberOf(fontNumbers_, fonts_, font, 0);
  if (look.interiorColor.IsSet()) {
    xf.fill = NumberOf(fillNumbers_, fills_, look.interiorColor.ToRgb(), kFirstFill);
  }
  xf.border =
      NumberOf(borderNumbers_, borders_,
               Border{look.borderTop == xlContinuous, look.borderBottom == xlContinuous}, 0);
  xf.horizontal = HorizontalName(look.horizontalAlignment) ? look.horizontalAlignment : xlGeneral;
  xf.vertical = VerticalName(look.verticalAlignment) ? look.verticalAlignment : xlBottom;
  xf.wrap = look.wrapText;
  return NumberOf(xfNumbers_, xfs_, xf, 0);
}

void StylesPart::WriteFont(XmlStream& xml, const Font& font) const {
  xml.Raw("<font>");
  if (font.bold) xml.Raw("<b/>");
  if (font.italic) xml.Raw("<i/>");
  if (font.underline) xml.Raw("<u/>");
  xml.Raw("<sz").NumberAttr("val", font.size).Raw("/>");
  if (font.rgb) {
    xml.Raw("<color").Attr("rgb", Argb(*font.rgb)).Raw("/>");
  } else {
    xml.Raw("<color theme=\"1\"/>");
  }
  xml.Raw("<name val=\"Calibri\"/><family val=\"2\"/><scheme val=\"minor\"/></font>");
}

void StylesPart::WriteXf(XmlStream& xml, const Xf& xf) const {
  const char* horizontal = HorizontalName(xf.horizontal);
  const char* vertical = VerticalName(xf.vertical);
  const bool alignment = horizontal != nullptr || vertical != nullptr || xf.wrap;
  xml.Raw("<xf")
      .Attr("numFmtId", std::int64_t{xf.numFmt})
      .Attr("fontId", std::int64_t{xf.font})
      .Attr("fillId", std::int64_t{xf.fill})
      .Attr("borderId", std::int64_t{xf.border})
      .Raw(" xfId=\"0\"");
  if (xf.numFmt > 0) xml.Raw(" applyNumberFormat=\"1\"");
  if (xf.font > 0) xml.Raw(" applyFont=\"1\"");
  if (xf.fill > 0) xml.Raw(" applyFill=\"1\"");
  if (xf.border > 0) xml.Raw(" applyBorder=\"1\"");
  if (!alignment) {
    xml.Raw("/>");
    return;
  }
  xml.Raw(" applyAlignment=\"1\"><alignment");
  if (horizontal != nullptr) xml.Attr("horizontal", horizontal);
  if (vertical != nullptr) xml.Attr("vertical", vertical);
  if (xf.wrap) xml.Raw(" wrapText=\"1\"");
  xml.Raw("/></xf>");
}

void StylesPart::Write(XmlStream& xml) const {
  xml.Declaration().Raw(
      "<styleSheet xmlns=\"http://schemas.openxmlformats.org/spreadsheetml/2006/main\">");
  if (!numFmts_.empty()) {
    xml.Raw("<numFmts").Attr("count", static_cast<std::int64_t>(numFmts_.size())).Raw(">");
    for (std::size_t i = 0; i < numFmts_.size(); ++i) {
      xml.Raw("<numFmt")
          .Attr("numFmtId", static_cast<std::int64_t>(kFirstCustomNumFmt + i))
          .Attr("formatCode", numFmts_[i])
          .Raw("/>");
    }
    xml.Raw("</numFmts>");
  }

  xml.Raw("<fonts").Attr("count", static_cast<std::int64_t>(fonts_.size())).Raw(">");
  for (const Font& font : fonts_) WriteFont(xml, font);
  xml.Raw("</fonts>");

  xml.Raw("<fills").Attr("count", static_cast<std::int64_t>(kFirstFill + fills_.size()));
  xml.Raw("><fill><patternFill patternType=\"none\"/></fill>");
  xml.Raw("<fill><patternFill patternType=\"gray125\"/></fill>");
  for (std::uint32_t rgb : fills_) {
    xml.Raw("<fill><patternFill patternType=\"solid\"><fgColor").Attr("rgb", Argb(rgb));
    xml.Raw("/><bgColor indexed=\"64\"/></patternFill></fill>");
  }
  xml.Raw("</fills>");

  xml.Raw("<borders").Attr("count", static_cast<std::int64_t>(borders_.size())).Raw(">");
  for (const Border& border : borders_) {
    xml.Raw("<border><left/><right/>");
    WriteEdge(xml, "top", border.top);
    WriteEdge(xml, "bottom", border.bottom);
    xml.Raw("<diagonal/></border>");
  }
  xml.Raw("</borders>");

  xml.Raw(
      "<cellStyleXfs count=\"1\"><xf numFmtId=\"0\" fontId=\"0\" fillId=\"0\" borderId=\"0\"/>"
      "</cellStyleXfs>");
  xml.Raw("<cellXfs").Attr("count", static_cast<std::int64_t>(xfs_.size())).Raw(">");
  for (const Xf& xf : xfs_) {
    WriteXf(xml, xf);
    xml.MaybeFlush();
  }
  xml.Raw("</cellXfs>");
  xml.Raw(
      "<cellStyles count=\"1\"><cellStyle name=\"Normal\" xfId=\"0\" builtinId=\"0\"/></cellStyles>"
      "<dxfs count=\"0\"/><tableStyles count=\"0\" defaultTableStyle=\"TableStyleMedium9\" "
      "defaultPivotStyle=\"PivotStyleLight16\"/></styleSheet>");
}

}  // namespace kvo::excel
