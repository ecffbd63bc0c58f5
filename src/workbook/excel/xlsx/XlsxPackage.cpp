// The parts of a one-sheet workbook, written one after another into a zip container.
#include "workbook/excel/xlsx/XlsxPackage.h"

#include "workbook/excel/NameRules.h"
#include "workbook/excel/sink/WriteError.h"
#include "workbook/excel/xlsx/ContentTypesPart.h"
#include "workbook/excel/xlsx/DocPropsPart.h"
#include "workbook/excel/xlsx/RelationshipsPart.h"
#include "workbook/excel/xlsx/SharedStringsPart.h"
#include "workbook/excel/xlsx/StylesPart.h"
#include "workbook/excel/xlsx/ThemePart.h"
#include "workbook/excel/xlsx/WorkbookPart.h"
#include "workbook/excel/xlsx/WorksheetPart.h"
#include "workbook/excel/xlsx/XlsxLimits.h"
#include "workbook/excel/xlsx/ZipContainer.h"

namespace kvo::excel {

namespace {

// Whether a cell shows text, so that the package has a shared strings part. Stops at the first.
bool ShowsText(const ResolvedSheet& sheet) {
  const std::unique_ptr<RowWalk> rows = sheet.rows();
  while (const ResolvedRow* row = rows->Next()) {
    for (const ResolvedCell& cell : row->cells) {
      if (cell.kind == ResolvedCell::Kind::Text && !cell.text.empty()) return true;
    }
  }
  return false;
}

// Writes one part through its writer.
template <class WritePart>
void Part(ZipContainer& zip, std::string_view name, WritePart&& write) {
  XmlStream xml(zip.StartEntry(name));
  write(xml);
  xml.Flush();
}

}  // namespace

void WriteXlsxPackage(const ResolvedSheet& sheet, ByteSink& sink, std::time_t written) {
  // Refused before a byte is written.
  if (const auto why = SheetNameViolation(sheet.name)) throw WriteError(*why);
  CheckXlsxLimits(sheet);
  const bool text = ShowsText(sheet);
  StylesPart styles(sheet.formats);
  SharedStringsPart strings;
  ZipContainer zip(sink);

  Part(zip, "[Content_Types].xml", [&](XmlStream& xml) { WriteContentTypesPart(xml, text); });
  Part(zip, "_rels/.rels", [](XmlStream& xml) { WritePackageRelationships(xml); });
  Part(zip, "docProps/app.xml", [&](XmlStream& xml) { WriteAppPropsPart(xml, sheet.name); });
  Part(zip, "docProps/core.xml", [&](XmlStream& xml) { WriteCorePropsPart(xml, written); });
  Part(zip, "xl/workbook.xml", [&](XmlStream& xml) { WriteWorkbookPart(xml, sheet); });
  Part(zip, "xl/_rels/workbook.xml.rels",
       [&](XmlStream& xml) { WriteWorkbookRelationships(xml, text); });
  Part(zip, "xl/worksheets/sheet1.xml",
       [&](XmlStream& xml) { WriteWorksheetPart(xml, sheet, styles, strings); });
  if (strings.Empty() == text) throw WriteError("the sheet changed while it was written");
  if (HasExternalLinks(sheet)) {
    Part(zip, "xl/worksheets/_rels/sheet1.xml.rels",
         [&](XmlStream& xml) { WriteWorksheetRelationships(xml, sheet); });
  }
  Part(zip, "xl/theme/theme1.xml", [](XmlStream& xml) { WriteThemePart(xml); });
  if (text) Part(zip, "xl/sharedStrings.xml", [&](XmlStream& xml) { strings.Write(xml); });
  Part(zip, "xl/styles.xml", [&](XmlStream& xml) { styles.Write(xml); });
  zip.Finish();
}

}  // namespace kvo::excel
