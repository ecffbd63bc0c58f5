// Fuzz target: the .xlsx writer on resolved sheets made from the input, its workbook read back
// by our own checks. A sheet within the limits must be written, with one cell element per cell;
// any other sheet is written the same way or refused with the spreadsheet error.
#include <kvoexportexcel/RunError.h>

#include <cstddef>
#include <cstdint>

#include "common/FuzzCheck.h"
#include "common/FuzzSheet.h"
#include "common/XlsxCheck.h"
#include "workbook/excel/sink/MemorySink.h"
#include "workbook/excel/xlsx/XlsxWriter.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  using namespace kvo::fuzz;
  FuzzInput in(data, size);
  const FuzzSheet sheet(in, XlsxBounds());
  kvo::excel::MemorySink sink;
  try {
    kvo::excel::WriteXlsxTo(sheet.Sheet(), sink);
  } catch (const kvo::RunError& error) {
    if (sheet.WithinLimits()) Fail("a sheet within the limits was refused: " + error.Description());
    return 0;
  }
  const XlsxContents contents = CheckXlsx(sink.Bytes());
  if (contents.cells != sheet.CellCount()) {
    Fail(std::to_string(contents.cells) + " cell elements for " +
         std::to_string(sheet.CellCount()) + " cells");
  }
  return 0;
}
