// Which file format a workbook is written in: chosen by the extension of the file name.
#include "workbook/excel/FileFormats.h"

#include "workbook/excel/NameRules.h"
#include "workbook/excel/xls/XlsWriter.h"
#include "workbook/excel/xlsx/XlsxWriter.h"

namespace kvo::excel {

const FileFormat& FileFormatFor(std::string_view path) {
  if (AsciiLower(path).ends_with(".xls")) return kXlsFormat;
  return kXlsxFormat;
}

const FileFormat& DefaultFileFormat() {
  return kXlsxFormat;
}

}  // namespace kvo::excel
