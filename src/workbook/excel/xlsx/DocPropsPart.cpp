// The document property parts: the application's (docProps/app.xml) and the core ones
// (docProps/core.xml) with the time the workbook was written.
#include "workbook/excel/xlsx/DocPropsPart.h"

#include <chrono>
#include <cstdio>

namespace kvo::excel {

namespace {

// "2024-05-01T12:00:00Z", from the calendar of the standard library on every system.
std::string W3cdtf(std::time_t time) {
  using namespace std::chrono;
  const sys_seconds stamp{seconds{time}};
  const sys_days day = floor<days>(stamp);
  const year_month_day date{day};
  const hh_mm_ss clock{stamp - day};
  char text[32];
  std::snprintf(text, sizeof text, "%04d-%02u-%02uT%02d:%02d:%02dZ", static_cast<int>(date.year()),
                static_cast<unsigned>(date.month()), static_cast<unsigned>(date.day()),
                static_cast<int>(clock.hours().count()), static_cast<int>(clock.minutes().count()),
                static_cast<int>(clock.seconds().count()));
  return text;
}

}  // namespace

void WriteAppPropsPart(XmlStream& xml, const std::string& sheetName) {
  xml.Declaration().Raw(
      "<Properties "
      "xmlns=\"http://schemas.openxmlformats.org/officeDocument/2006/extended-properties\" "
      "xmlns:vt=\"http://schemas.openxmlformats.org/officeDocument/2006/docPropsVTypes\">"
      "<Application>kVoExportExcel</Application><DocSecurity>0</DocSecurity>"
      "<ScaleCrop>false</ScaleCrop><HeadingPairs><vt:vector size=\"2\" baseType=\"variant\">"
      "<vt:variant><vt:lpstr>Worksheets</vt:lpstr></vt:variant>"
      "<vt:variant><vt:i4>1</vt:i4></vt:variant></vt:vector></HeadingPairs>"
      "<TitlesOfParts><vt:vector size=\"1\" baseType=\"lpstr\"><vt:lpstr>");
  xml.Text(sheetName).Raw(
      "</vt:lpstr></vt:vector></TitlesOfParts><LinksUpToDate>false</LinksUpToDate>"
      "<SharedDoc>false</SharedDoc><HyperlinksChanged>false</HyperlinksChanged></Properties>");
}

void WriteCorePropsPart(XmlStream& xml, std::time_t written) {
  const std::string stamp = W3cdtf(written);
  xml.Declaration().Raw(
      "<cp:coreProperties "
      "xmlns:cp=\"http://schemas.openxmlformats.org/package/2006/metadata/core-properties\" "
      "xmlns:dc=\"http://purl.org/dc/elements/1.1/\" xmlns:dcterms=\"http://purl.org/dc/terms/\" "
      "xmlns:dcmitype=\"http://purl.org/dc/dcmitype/\" "
      "xmlns:xsi=\"http://www.w3.org/2001/XMLSchema-instance\">"
      "<dc:creator></dc:creator><cp:lastModifiedBy></cp:lastModifiedBy>");
  xml.Raw("<dcterms:created xsi:type=\"dcterms:W3CDTF\">").Raw(stamp).Raw("</dcterms:created>");
  xml.Raw("<dcterms:modified xsi:type=\"dcterms:W3CDTF\">").Raw(stamp);
  xml.Raw("</dcterms:modified></cp:coreProperties>");
}

}  // namespace kvo::excel
