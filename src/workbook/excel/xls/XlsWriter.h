// Writing a resolved sheet as an Excel 97-2003 workbook (.xls): a BIFF8 workbook stream in a
// compound document.
#pragma once

#include <string>

#include "workbook/excel/resolved/FileFormat.h"
#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

// The format's limits (65,536 rows, 256 columns), its link targets and its writer.
extern const FileFormat kXlsFormat;

// Writes a workbook holding the sheet to path. The whole file is built in memory first, then
// written to a temporary file beside path, which then replaces path: the file appears complete
// or not at all. Raises the spreadsheet error naming path and the reason, also for a sheet
// that holds more than the file can (see CheckXlsLimits). Threads may write workbooks at once.
void WriteXls(const ResolvedSheet& sheet, const std::string& path);

// Writes the same workbook into sink. Raises the spreadsheet error "Cannot write the workbook:
// " and the reason when the sheet holds more than the file can; nothing has reached the sink
// then. The sink raises its own failures.
void WriteXlsWorkbook(const ResolvedSheet& sheet, ByteSink& sink);

}  // namespace kvo::excel
