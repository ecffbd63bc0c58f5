// Writing a resolved sheet as an Excel 97-2003 workbook (.xls): a BIFF8 workbook stream in a
// compound document.
#include "workbook/excel/xls/XlsWriter.h"

#include <kvoexportexcel/RunError.h>

#include <vector>

#include "workbook/excel/OutputFile.h"
#include "workbook/excel/sink/FileSink.h"
#include "workbook/excel/sink/WriteError.h"
#include "workbook/excel/store/SheetError.h"
#include "workbook/excel/xls/BiffStream.h"
#include "workbook/excel/xls/CompoundFile.h"
#include "workbook/excel/xls/SharedStrings.h"
#include "workbook/excel/xls/XlsGlobals.h"
#include "workbook/excel/xls/XlsLimits.h"
#include "workbook/excel/xls/XlsLinks.h"
#include "workbook/excel/xls/XlsSheet.h"
#include "workbook/excel/xls/XlsStyles.h"
#include "workbook/excel/xls/XlsText.h"

namespace kvo::excel {

namespace {

// The workbook stream: globals, then the sheet, whose start the globals point to. Raises the
// spreadsheet error with the reason alone.
std::vector<std::uint8_t> WorkbookStream(const ResolvedSheet& sheet) {
  CheckXlsLimits(sheet);
  const XlsStyles styles(sheet.formats);
  SharedStrings strings;
  const XlsSheetWriter sheetWriter(sheet, styles, strings);
  BiffStream out;
  const std::size_t sheetPosition = WriteGlobals(out, sheet, styles, strings);
  out.PatchU32(sheetPosition, static_cast<std::uint32_t>(out.Position()));
  sheetWriter.Write(out);
  return out.Take();
}

}  // namespace

const FileFormat kXlsFormat{
    "Excel 97-2003",
    {.rows = kXlsRows,
     .columns = kXlsColumns,
     .linksPerSheet = kXlsLinksPerSheet,
     .linkAddressLength = kXlsLinkTargetLength,
     .unitsPerCell = kXlsMaxCellUnits,
     .definedNameLength = kXlsNameLength},
    &XlsLinkTargetLength,
    &WriteXls,
};

void WriteXls(const ResolvedSheet& sheet, const std::string& path) {
  OutputFile out(path);
  std::vector<std::uint8_t> stream;
  try {
    stream = WorkbookStream(sheet);
  } catch (const RunError& error) {
    out.Fail(error.Description());
  }
  try {
    FileSink file(out.TempPath());
    WriteCompoundFile(u"Workbook", stream, file);
    file.Close();
  } catch (const WriteError& error) {
    out.Fail(error.what());
  }
  out.Commit();
}

void WriteXlsWorkbook(const ResolvedSheet& sheet, ByteSink& sink) {
  std::vector<std::uint8_t> stream;
  try {
    stream = WorkbookStream(sheet);
  } catch (const RunError& error) {
    RaiseSheetError("Cannot write the workbook: " + error.Description());
  }
  WriteCompoundFile(u"Workbook", stream, sink);
}

}  // namespace kvo::excel
