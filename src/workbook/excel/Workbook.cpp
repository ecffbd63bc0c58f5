// A workbook with its one worksheet "Sheet1", saved to a file on request.
#include "workbook/excel/Workbook.h"

#include <kvoexportexcel/RunError.h>

#include "workbook/excel/FileFormats.h"
#include "workbook/excel/resolved/SheetResolver.h"
#include "workbook/excel/store/SheetError.h"

namespace kvo::excel {

Workbook::Workbook() : sheet_(std::make_unique<Worksheet>(kSheetName, DefaultFileFormat())) {}

void Workbook::CheckOpen() const {
  if (!open_) RaiseSheetError("The workbook is closed");
}

void Workbook::SaveAs(const std::string& path) {
  CheckOpen();
  if (path.empty()) RaiseSheetError("SaveAs needs a file name");
  // From now on the sheet takes what the file's format holds.
  sheet_->SetFormat(FileFormatFor(path));
  sheet_->Format().write(ResolveSheet(*sheet_), path);
  path_ = path;
}

void Workbook::Save() {
  CheckOpen();
  if (path_.empty()) RaiseSheetError("The workbook has no file yet; save it with SaveAs first");
  sheet_->Format().write(ResolveSheet(*sheet_), path_);
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
