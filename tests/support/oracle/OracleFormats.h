// One libxlsxwriter format per entry of the resolved sheet's format table, made on first use.
#pragma once

#include <xlsxwriter.h>

#include <cstdint>
#include <optional>
#include <vector>

#include "workbook/excel/store/CellFormat.h"

namespace kvo::excel::oracle {

class OracleFormats {
 public:
  OracleFormats(lxw_workbook* workbook, const std::vector<CellFormat>& table)
      : workbook_(workbook), table_(table), made_(table.size(), nullptr) {}

  // The format of a cell. Never null: the default look gets an empty format, so that a cell in
  // a formatted row or column still shows the default.
  lxw_format* For(std::uint32_t index);
  // Null for a row or column without a format of its own.
  lxw_format* ForRowOrColumn(std::optional<std::uint32_t> index);

 private:
  lxw_format* Make(const CellFormat& look);

  lxw_workbook* workbook_;
  const std::vector<CellFormat>& table_;
  std::vector<lxw_format*> made_;
};

}  // namespace kvo::excel::oracle
