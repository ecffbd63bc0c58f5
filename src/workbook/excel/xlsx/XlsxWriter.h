// Writing a resolved sheet as an Office Open XML workbook (.xlsx).
#pragma once

#include <string>

#include "workbook/excel/resolved/FileFormat.h"
#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

// The format's limits, its link targets and its writer.
extern const FileFormat kXlsxFormat;

// Writes a workbook holding the sheet to path. The file appears complete or not at all: the
// workbook goes to a temporary file beside it, which then replaces path. Any failure raises the
// spreadsheet error naming path and the reason. Keeps no state between calls: any number of
// threads may write workbooks at once.
void WriteXlsx(const ResolvedSheet& sheet, const std::string& path);

// Writes the workbook into sink instead (memory, say). A failure raises the spreadsheet error
// with the reason; the sink then holds part of a workbook.
void WriteXlsxTo(const ResolvedSheet& sheet, ByteSink& sink);

}  // namespace kvo::excel
