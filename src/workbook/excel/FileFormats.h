// Which file format a workbook is written in: chosen by the extension of the file name.
#pragma once

#include <string_view>

#include "workbook/excel/resolved/FileFormat.h"

namespace kvo::excel {

// The format for a file name: Excel 97-2003 for a name ending in ".xls" (in any letter case),
// Office Open XML for ".xlsx" and every other name. Raises nothing.
const FileFormat& FileFormatFor(std::string_view path);

// The format of a workbook that has not been saved yet (Office Open XML). Raises nothing.
const FileFormat& DefaultFileFormat();

}  // namespace kvo::excel
