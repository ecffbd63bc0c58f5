// Fuzz target: the .xls writer on resolved sheets made from the input, its workbook read back
// by our own checks. A sheet within the limits must be written, with its cells in cell records;
// any other sheet is written the same way or refused with the spreadsheet error before a byte
// reaches the sink.
#include <kvoexportexcel/RunError.h>

#include <cstddef>
#include <cstdint>

#include "common/FuzzCheck.h"
#include "common/FuzzSheet.h"
#include "common/XlsCheck.h"
#include "workbook/excel/sink/MemorySink.h"
#include "workbook/excel/xls/XlsWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvo::fuzz;
  FuzzInput in(data, size);
  const FuzzSheet sheet(in, XlsBounds());
  kvo::excel::MemorySink sink;
  try {
    kvo::excel::WriteXlsWorkbook(sheet.Sheet(), sink);
  } catch (const kvo::RunError& error) {
    if (sheet.WithinLimits()) Fail("a sheet within the limits was refused: " + error.Description());
    Require(sink.Bytes().empty(), "a refused sheet left bytes in the sink");
    return 0;
  }
  const XlsContents contents = CheckXls(sink.Bytes());
  if (contents.cells != sheet.CellCount()) {
    Fail(std::to_string(contents.cells) + " cells in cell records for " +
         std::to_string(sheet.CellCount()) + " cells");
  }
  return 0;
}
