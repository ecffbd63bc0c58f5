// Hands one resolved sheet to libxlsxwriter: columns, merges, rows with their cells and links,
// names and page setup.
#pragma once

#include <xlsxwriter.h>

#include <cstdint>
#include <stdexcept>
#include <string>

#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::excel::oracle {

class OracleFormats;

// A call of the library that failed; the reason names what was being written.
class OracleWriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

class OracleSheetWriter {
 public:
  OracleSheetWriter(const ResolvedSheet& sheet, lxw_workbook* workbook, lxw_worksheet* target,
                    OracleFormats& formats)
      : sheet_(sheet), workbook_(workbook), target_(target), formats_(formats) {}

  // Raises OracleWriteError when the library refuses something.
  void Write();

 private:
  void WriteColumns();
  void WriteMerges();
  void WriteRows();
  void WriteLink(const ResolvedLink& link);
  void WriteNames();
  void WritePageSetup();
  void WriteCell(std::int32_t row, const ResolvedCell& cell);
  // Raises when the library refused a call; what() names what was being written and is called
  // only then.
  template <class What>
  static void Check(lxw_error error, What&& what) {
    if (error != LXW_NO_ERROR) throw OracleWriteError(what() + ": " + lxw_strerror(error));
  }

  const ResolvedSheet& sheet_;
  lxw_workbook* workbook_;
  lxw_worksheet* target_;
  OracleFormats& formats_;
};

}  // namespace kvo::excel::oracle
