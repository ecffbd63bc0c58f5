// Writing a workbook to a file in the format its extension asks for.
#include "workbook/excel/WorkbookFile.h"

#include "workbook/excel/XlsxWriter.h"

namespace kvo::excel {

void WriteWorkbookFile(const Worksheet& sheet, const std::string& path) {
  // Office Open XML is the only format the engine writes so far, whatever the extension.
  WriteXlsx(sheet, path);
}

}  // namespace kvo::excel
