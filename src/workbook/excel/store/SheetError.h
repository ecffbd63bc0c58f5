// Raising the run-time error of a failing spreadsheet operation.
#pragma once

#include <string>

namespace kvo::excel {

// Throws kvo::RunError with number kErrSpreadsheet (1004) and the given description.
[[noreturn]] void RaiseSheetError(std::string sDescription);

}  // namespace kvo::excel
