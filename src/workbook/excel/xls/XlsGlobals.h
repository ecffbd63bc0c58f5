// The workbook globals: the records before the sheet that describe the whole workbook (window,
// fonts and formats, the sheet index, defined names and the shared strings).
#pragma once

#include <cstddef>

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/xls/BiffStream.h"
#include "workbook/excel/xls/SharedStrings.h"
#include "workbook/excel/xls/XlsStyles.h"

namespace kvo::excel {

// Writes the globals substream for a workbook of the one sheet. Returns the stream offset of
// the sheet's position in its BOUNDSHEET record, to be filled in when the sheet starts. Raises
// the spreadsheet error for an area past the file's limits (see CheckXlsLimits).
std::size_t WriteGlobals(BiffStream& out, const ResolvedSheet& sheet, const XlsStyles& styles,
                         const SharedStrings& strings);

}  // namespace kvo::excel
