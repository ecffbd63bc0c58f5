// The spreadsheet application: owns the workbooks it creates until it is destroyed.
#pragma once

#include "workbook/excel/Workbooks.h"

namespace kvo::excel {

// Each application is independent of every other one; two threads may each drive their own.
// Workbooks, worksheets and ranges stay valid while their application lives.
class Application {
 public:
  Application() = default;
  Application(const Application&) = delete;
  Application& operator=(const Application&) = delete;

  excel::Workbooks& Workbooks();
  // Closes every open workbook without saving; later calls of Workbooks raise.
  void Quit();

 private:
  excel::Workbooks workbooks_;
  bool quit_ = false;
};

}  // namespace kvo::excel
