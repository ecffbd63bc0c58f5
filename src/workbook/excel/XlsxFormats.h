// One file-writer format per distinct cell look.
#pragma once

#include <xlsxwriter.h>

#include <map>

#include "workbook/excel/CellFormat.h"

namespace kvo::excel {

class XlsxFormats {
 public:
  explicit XlsxFormats(lxw_workbook* workbook) : workbook_(workbook) {}

  // The format for this look, made once per distinct look. Never null: the default look gets
  // an empty format, so that a cell in a formatted row or column still shows the default.
  lxw_format* For(const CellFormat& look);
  // Null for the default look (a row or column without a format of its own).
  lxw_format* ForRowOrColumn(const CellFormat& look);

 private:
  lxw_format* Make(const CellFormat& look);

  lxw_workbook* workbook_;
  std::map<CellFormat, lxw_format*> made_;
};

}  // namespace kvo::excel
