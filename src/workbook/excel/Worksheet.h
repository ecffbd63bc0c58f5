// A worksheet: the entry to its cells, ranges, names, hyperlinks and page setup.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/excel/CellFormat.h"
#include "workbook/excel/CellValue.h"
#include "workbook/excel/Hyperlinks.h"
#include "workbook/excel/Names.h"
#include "workbook/excel/PageSetup.h"
#include "workbook/excel/Range.h"
#include "workbook/excel/SheetModel.h"

namespace kvo::excel {

// Rows and columns count from 1; one outside the sheet raises. Ranges handed out stay valid
// while the application that owns the workbook lives; after the workbook is closed every
// operation on them raises.
class Worksheet {
 public:
  explicit Worksheet(std::string name);
  Worksheet(const Worksheet&) = delete;
  Worksheet& operator=(const Worksheet&) = delete;

  const std::string& Name() const { return model_.Name(); }

  excel::Range Cells();  // every cell of the sheet
  excel::Range Cells(std::int64_t row, std::int64_t col);
  excel::Range Rows(std::int64_t row);  // one whole row
  excel::Range Columns();               // every column, i.e. the whole sheet
  excel::Range Columns(std::int64_t col);
  // The smallest rectangle holding both ranges, e.g. Range(Cells(4, 1), Cells(4, 9)).
  excel::Range Range(const excel::Range& first, const excel::Range& last);
  excel::Range Range(std::string_view address);

  excel::Names& Names();
  excel::Hyperlinks& Hyperlinks();
  excel::PageSetup& PageSetup();

  // Inspection: what the sheet holds and how a cell will look in the file.
  CellValue ValueAt(std::int32_t row, std::int32_t col) const;
  CellFormat EffectiveFormat(std::int32_t row, std::int32_t col) const;
  double EffectiveRowHeight(std::int32_t row) const;
  double EffectiveColumnWidth(std::int32_t col) const;
  std::optional<Rect> MergeAreaAt(std::int32_t row, std::int32_t col) const;
  const excel::Names& Names() const { return names_; }
  const excel::Hyperlinks& Hyperlinks() const { return links_; }
  const excel::PageSetup& PageSetup() const { return pageSetup_; }

  // The store behind the sheet, for the range handles and the file writer.
  SheetModel& Model() { return model_; }
  const SheetModel& Model() const { return model_; }
  // Drops the content; later operations raise.
  void Close();

 private:
  SheetModel model_;
  excel::Names names_;
  excel::Hyperlinks links_;
  excel::PageSetup pageSetup_;
};

}  // namespace kvo::excel
