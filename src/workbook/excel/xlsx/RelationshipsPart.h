// The relationship parts: of the package, of the workbook and of the worksheet's links. The
// writers raise what the stream's sink raises.
#pragma once

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

// _rels/.rels: the workbook and the document properties.
void WritePackageRelationships(XmlStream& xml);
// xl/_rels/workbook.xml.rels: sheet, theme, styles and, when cells hold text, shared strings.
void WriteWorkbookRelationships(XmlStream& xml, bool sharedStrings);
// Whether the sheet links to files or URLs, which its relationships part then lists.
bool HasExternalLinks(const ResolvedSheet& sheet);
// xl/worksheets/_rels/sheet1.xml.rels: rId1, rId2, ... for the sheet's file and URL links in
// order, with the targets the file stores.
void WriteWorksheetRelationships(XmlStream& xml, const ResolvedSheet& sheet);

}  // namespace kvo::excel
