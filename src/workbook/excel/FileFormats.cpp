// Which file format a workbook is written in: chosen by the extension of the file name.
#include "workbook/excel/FileFormats.h"

#include "workbook/excel/xlsx/XlsxWriter.h"

namespace kvo::excel {

const FileFormat& FileFormatFor(std::string_view /*path*/) {
  // Office Open XML is the only format the engine writes so far, whatever the extension.
  return kXlsxFormat;
}

const FileFormat& DefaultFileFormat() {
  return kXlsxFormat;
}

}  // namespace kvo::excel
