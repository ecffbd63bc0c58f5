// The relationship parts: of the package, of the workbook and of the worksheet's links.
#include "workbook/excel/xlsx/RelationshipsPart.h"

#include <algorithm>
#include <string>

#include "workbook/excel/xlsx/LinkTargets.h"

namespace kvo::excel {

namespace {

constexpr std::string_view kOpen =
    "<Relationships xmlns=\"http://schemas.openxmlformats.org/package/2006/relationships\">";
constexpr std::string_view kDocumentTypes =
    "http://schemas.openxmlformats.org/officeDocument/2006/relationships/";

void Relationship(XmlStream& xml, std::int64_t id, std::string_view type, std::string_view target) {
  xml.Raw("<Relationship Id=\"rId").Int(id).Raw("\" Type=\"").Raw(type).Raw("\"");
  xml.Attr("Target", target).Raw("/>");
}

}  // namespace

void WritePackageRelationships(XmlStream& xml) {
  xml.Declaration().Raw(kOpen);
  Relationship(xml, 1, std::string(kDocumentTypes) + "officeDocument", "xl/workbook.xml");
  Relationship(xml, 2,
               "http://schemas.openxmlformats.org/package/2006/relationships/metadata/"
               "core-properties",
               "docProps/core.xml");
  Relationship(xml, 3, std::string(kDocumentTypes) + "extended-properties", "docProps/app.xml");
  xml.Raw("</Relationships>");
}

void WriteWorkbookRelationships(XmlStream& xml, bool sharedStrings) {
  xml.Declaration().Raw(kOpen);
  Relationship(xml, 1, std::string(kDocumentTypes) + "worksheet", "worksheets/sheet1.xml");
  Relationship(xml, 2, std::string(kDocumentTypes) + "theme", "theme/theme1.xml");
  Relationship(xml, 3, std::string(kDocumentTypes) + "styles", "styles.xml");
  if (sharedStrings) {
    Relationship(xml, 4, std::string(kDocumentTypes) + "sharedStrings", "sharedStrings.xml");
  }
  xml.Raw("</Relationships>");
}

bool HasExternalLinks(const ResolvedSheet& sheet) {
  return std::any_of(sheet.links.begin(), sheet.links.end(), [](const ResolvedLink& link) {
    return link.kind != ResolvedLink::Kind::Internal;
  });
}

void WriteWorksheetRelationships(XmlStream& xml, const ResolvedSheet& sheet) {
  const std::string type = std::string(kDocumentTypes) + "hyperlink";
  xml.Declaration().Raw(kOpen);
  std::int64_t id = 0;
  for (const ResolvedLink& link : sheet.links) {
    if (link.kind == ResolvedLink::Kind::Internal) continue;
    xml.Raw("<Relationship Id=\"rId").Int(++id).Raw("\" Type=\"").Raw(type).Raw("\"");
    xml.Attr("Target", StoredLinkTarget(link.kind, link.address, link.subAddress))
        .Raw(" TargetMode=\"External\"/>");
    xml.MaybeFlush();
  }
  xml.Raw("</Relationships>");
}

}  // namespace kvo::excel
