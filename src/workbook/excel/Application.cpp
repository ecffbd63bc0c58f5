// The spreadsheet application: owns the workbooks it creates until it is destroyed.
#include "workbook/excel/Application.h"

#include "workbook/excel/store/SheetError.h"

namespace kvo::excel {

excel::Workbooks& Application::Workbooks() {
  if (quit_) RaiseSheetError("The spreadsheet application has quit");
  return workbooks_;
}

void Application::Quit() {
  workbooks_.CloseAll();
  quit_ = true;
}

}  // namespace kvo::excel
