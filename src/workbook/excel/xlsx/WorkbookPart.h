// The workbook part: the one sheet and the names defined on it, the print settings' included.
#pragma once

#include <string>
#include <vector>

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

// A name as the workbook part lists it: local to the sheet, with its formula. (Not the object
// model's DefinedName: one program cannot hold two classes of one name.)
struct WorkbookName {
  std::string name;     // "_xlnm.Print_Area" for the print settings
  std::string formula;  // "Sheet1!$A$1:$F$40"
};

// The sheet's names and the print area and title rows, in the order the file lists them:
// by name regardless of letter case and of the "_xlnm." prefix. A print area covering the
// whole sheet is no print area. Raises only std::bad_alloc.
std::vector<WorkbookName> DefinedNames(const ResolvedSheet& sheet);

// The sheet's name as a formula refers to it: quoted ('My sheet') unless it holds only
// letters, digits, "_" and ".". Raises only std::bad_alloc.
std::string SheetReference(const std::string& sheetName);

// Writes xl/workbook.xml. Raises what the stream's sink raises.
void WriteWorkbookPart(XmlStream& xml, const ResolvedSheet& sheet);

}  // namespace kvo::excel
