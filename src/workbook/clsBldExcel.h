// The workbook builder: starts the spreadsheet application, fills the one worksheet from the
// export data model and saves it.
#pragma once

#include <string>

namespace kvo {

class clsBldExcel {
 public:
  // Starts the application and saves a new empty workbook under sFile.
  bool InitExl(const std::string& sFile);
  // Fills the worksheet; true when every step ran without error.
  bool FillExlFile();
  // Saves and closes the workbook and quits; false when the workbook could not be saved.
  bool ExitExl();
};

}  // namespace kvo
