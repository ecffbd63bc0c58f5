// A workbook with its one worksheet "Sheet1", saved to a file on request.
#include "workbook/excel/Workbook.h"

#include <kvoexportexcel/RunError.h>

#include "workbook/excel/SheetError.h"
#include "workbook/excel/WorkbookFile.h"

namespace kvo::excel {

Workbook::Workbook() : sheet_(std::make_unique<Worksheet>(kSheetName)) {}

void Workbook::CheckOpen() const {
  if (!open_) RaiseSheetError("The workbook is closed");
}

void Workbook::SaveAs(const std::string& path) {
  CheckOpen();
  if (path.empty()) RaiseSheetError("SaveAs needs a file name");
  WriteWorkbookFile(*sheet_, path);
  path_ = path;
}

void Workbook::Save() {
  CheckOpen();
  if (path_.empty()) RaiseSheetError("The workbook has no file yet; save it with SaveAs first");
  WriteWorkbookFile(*sheet_, path_);
}

void Workbook::Close() {
  CheckOpen();
  sheet_->Close();
  open_ = false;
}

Worksheet& Workbook::Worksheets(std::int64_t index) {
  CheckOpen();
  if (index != 1) {
    throw RunError(kErrSubscript, "Worksheet " + std::to_string(index) +
                                      " does not exist; the workbook has one worksheet");
  }
  return *sheet_;
}

}  // namespace kvo::excel
