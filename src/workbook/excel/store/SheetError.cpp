// Raising the run-time error of a failing spreadsheet operation.
#include "workbook/excel/store/SheetError.h"

#include <kvoexportexcel/RunError.h>

namespace kvo::excel {

void RaiseSheetError(std::string sDescription) {
  throw RunError(kErrSpreadsheet, std::move(sDescription));
}

}  // namespace kvo::excel
