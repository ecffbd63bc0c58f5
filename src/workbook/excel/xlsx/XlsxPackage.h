// The parts of a one-sheet workbook, written one after another into a zip container.
#pragma once

#include <ctime>

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/sink/ByteSink.h"

namespace kvo::excel {

// Writes the workbook holding the sheet into sink; written is the time its document
// properties record. The worksheet goes through in blocks of rows; what stays in memory is one
// copy of each distinct text and one record of each distinct look. Raises WriteError,
// std::bad_alloc, and what the sink raises; the sink then holds a partial container. A sheet
// name that is not allowed raises WriteError before a byte is written.
void WriteXlsxPackage(const ResolvedSheet& sheet, ByteSink& sink, std::time_t written);

}  // namespace kvo::excel
