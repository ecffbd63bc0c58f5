// Which file format a workbook is written in: chosen by the extension of the file name.
#pragma once

#include <string_view>

#include "workbook/excel/resolved/FileFormat.h"

namespace kvo::excel {

// The format for a file name. Every extension (".xlsx", ".xls" or any other) currently gets
// Office Open XML.
const FileFormat& FileFormatFor(std::string_view path);

// The format of a workbook that has not been saved yet.
const FileFormat& DefaultFileFormat();

}  // namespace kvo::excel
