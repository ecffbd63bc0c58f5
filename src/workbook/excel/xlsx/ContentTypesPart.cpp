// The content types part: what each part of the package holds.
#include "workbook/excel/xlsx/ContentTypesPart.h"

namespace kvo::excel {

namespace {

constexpr std::string_view kOfficeDocument = "application/vnd.openxmlformats-officedocument.";

void Override(XmlStream& xml, std::string_view part, std::string_view type) {
  xml.Raw("<Override PartName=\"").Raw(part).Raw("\" ContentType=\"").Raw(type).Raw("\"/>");
}

}  // namespace

void WriteContentTypesPart(XmlStream& xml, bool sharedStrings) {
  const std::string office(kOfficeDocument);
  xml.Declaration().Raw(
      "<Types xmlns=\"http://schemas.openxmlformats.org/package/2006/content-types\">"
      "<Default Extension=\"rels\" "
      "ContentType=\"application/vnd.openxmlformats-package.relationships+xml\"/>"
      "<Default Extension=\"xml\" ContentType=\"application/xml\"/>");
  Override(xml, "/docProps/app.xml", office + "extended-properties+xml");
  Override(xml, "/docProps/core.xml", "application/vnd.openxmlformats-package.core-properties+xml");
  Override(xml, "/xl/styles.xml", office + "spreadsheetml.styles+xml");
  Override(xml, "/xl/theme/theme1.xml", office + "theme+xml");
  Override(xml, "/xl/workbook.xml", office + "spreadsheetml.sheet.main+xml");
  Override(xml, "/xl/worksheets/sheet1.xml", office + "spreadsheetml.worksheet+xml");
  if (sharedStrings) {
    Override(xml, "/xl/sharedStrings.xml", office + "spreadsheetml.sharedStrings+xml");
  }
  xml.Raw("</Types>");
}

}  // namespace kvo::excel
