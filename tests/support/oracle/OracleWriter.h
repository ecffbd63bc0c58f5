// The reference writer of the tests and benchmarks: a resolved sheet handed to libxlsxwriter.
#pragma once

#include <string>

#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::excel::oracle {

// Writes a workbook holding the sheet to path through libxlsxwriter with its default options.
// The file appears complete or not at all: the library writes a temporary file beside it,
// which then replaces path. Any failure raises the spreadsheet error naming path and the
// reason. Names longer than 120 characters fail: the library keeps "Sheet1!Name" in a buffer of
// 127 characters.
//
// Threads: the library keeps no state between workbooks except in its packaging step, which
// creates unnamed temporary files through a generator with an unguarded static seed and
// srand/rand, and stamps the document with gmtime's shared buffer. That step runs under one
// process-wide lock, so any number of threads may write workbooks at once. Numbers are printed
// with the C library's locale, so the writing thread runs in the "C" locale meanwhile
// (uselocale, which touches only that thread).
void WriteXlsx(const ResolvedSheet& sheet, const std::string& path);

}  // namespace kvo::excel::oracle
