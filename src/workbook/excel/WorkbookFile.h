// Writing a workbook to a file in the format its extension asks for.
#pragma once

#include <string>

namespace kvo::excel {

class Worksheet;

// Writes the sheet to path; raises the spreadsheet error, naming path and the reason, on any
// failure. Every extension (".xlsx", ".xls" or any other) currently writes Office Open XML.
void WriteWorkbookFile(const Worksheet& sheet, const std::string& path);

}  // namespace kvo::excel
