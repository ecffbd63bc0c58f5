// Hands one worksheet's content to libxlsxwriter: columns, rows, merges, cells, links, names
// and page setup.
#pragma once

#include <xlsxwriter.h>

#include <cstdint>
#include <stdexcept>
#include <string>

namespace kvo::excel {

class Worksheet;
class XlsxFormats;

// A call of the library that failed; the reason names what was being written.
class XlsxWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class XlsxSheetWriter {
 public:
  XlsxSheetWriter(const Worksheet& sheet, lxw_workbook* workbook, lxw_worksheet* target,
                  XlsxFormats& formats)
      : sheet_(sheet), workbook_(workbook), target_(target), formats_(formats) {}

  // Raises XlsxWriteError when the library refuses something.
  void Write();

 private:
  void WriteColumns();
  void WriteRows();
  void WriteMerges();
  void WriteCells();
  void WriteLinks();
  void WriteNames();
  void WritePageSetup();
  // The cell's value (or a blank) with the given format.
  void WriteCell(std::int32_t row, std::int32_t col, lxw_format* format);
  void Check(lxw_error error, const std::string& what) const;

  const Worksheet& sheet_;
  lxw_workbook* workbook_;
  lxw_worksheet* target_;
  XlsxFormats& formats_;
};

}  // namespace kvo::excel
