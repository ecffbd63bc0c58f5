// The document property parts: the application's (docProps/app.xml) and the core ones
// (docProps/core.xml) with the time the workbook was written. The writers raise what the
// stream's sink raises.
#pragma once

#include <ctime>
#include <string>

#include "workbook/excel/xlsx/XmlStream.h"

namespace kvo::excel {

// docProps/app.xml: the application and the sheet's name.
void WriteAppPropsPart(XmlStream& xml, const std::string& sheetName);
// docProps/core.xml, created and modified at written (UTC).
void WriteCorePropsPart(XmlStream& xml, std::time_t written);

}  // namespace kvo::excel
