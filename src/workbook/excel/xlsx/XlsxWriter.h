// Writing a resolved sheet as an Office Open XML workbook (.xlsx) through libxlsxwriter.
#pragma once

#include <string>

#include "workbook/excel/resolved/FileFormat.h"

namespace kvo::excel {

// The format's limits (the library keeps "Sheet1!Name" in a buffer of 127 characters, so a
// sheet-local name holds at most 120), its link targets and its writer.
extern const FileFormat kXlsxFormat;

// Writes a workbook holding the sheet to path. The file appears complete or not at all: the
// library writes a temporary file beside it, which then replaces path. Any failure raises the
// spreadsheet error naming path and the reason.
//
// Threads: the library keeps no state between workbooks except in its packaging step, which
// creates unnamed temporary files through a generator with an unguarded static seed and
// srand/rand, and stamps the document with gmtime's shared buffer. That step runs under one
// process-wide lock, so any number of threads may write workbooks at once. Numbers are printed
// with the C library's locale, so the writing thread runs in the "C" locale meanwhile
// (uselocale, which touches only that thread). The library's constant-memory mode is not used:
// it writes rows only in order and keeps a temporary file per sheet open from the start.
void WriteXlsx(const ResolvedSheet& sheet, const std::string& path);

}  // namespace kvo::excel
