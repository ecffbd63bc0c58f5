// A workbook with its one worksheet "Sheet1", saved to a file on request.
#pragma once

#include <cstdint>
#include <memory>
#include <string>

#include "workbook/excel/Worksheet.h"

namespace kvo::excel {

class Workbook {
 public:
  static constexpr const char* kSheetName = "Sheet1";

  Workbook();
  Workbook(const Workbook&) = delete;
  Workbook& operator=(const Workbook&) = delete;

  // Writes the workbook to path and keeps path for Save. The file format follows the
  // extension, and from then on the sheet takes what that format holds; a failure raises,
  // naming the path and the reason, and leaves no partial file.
  void SaveAs(const std::string& path);
  // Writes the workbook again to the path of the last SaveAs.
  void Save();
  // Closes without saving: unsaved changes are lost and every later operation raises.
  void Close();

  bool IsOpen() const { return open_; }
  // Path of the last SaveAs; empty before.
  const std::string& FullName() const { return path_; }

  // Worksheet number 1 is the only one.
  Worksheet& Worksheets(std::int64_t index);

 private:
  void CheckOpen() const;

  std::unique_ptr<Worksheet> sheet_;
  std::string path_;
  bool open_ = true;
};

}  // namespace kvo::excel
