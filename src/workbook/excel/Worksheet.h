// A worksheet: the entry to its cells, ranges, names, hyperlinks and page setup.
#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/excel/Hyperlinks.h"
#include "workbook/excel/Names.h"
#include "workbook/excel/PageSetup.h"
#include "workbook/excel/Range.h"
#include "workbook/excel/resolved/FileFormat.h"
#include "workbook/excel/store/CellFormat.h"
#include "workbook/excel/store/CellValue.h"
#include "workbook/excel/store/SheetStore.h"

namespace kvo::excel {

// Rows and columns count from 1; one outside the sheet raises. Ranges handed out stay valid
// while the application that owns the workbook lives; after the workbook is closed every
// operation on them raises.
class Worksheet {
 public:
  Worksheet(std::string name, const FileFormat& format);
  Worksheet(const Worksheet&) = delete;
  Worksheet& operator=(const Worksheet&) = delete;

  const std::string& Name() const { return store_.Name(); }

  excel::Range Cells();  // every cell of the sheet
  excel::Range Cells(std::int64_t row, std::int64_t col);
  excel::Range Rows(std::int64_t row);  // one whole row
  excel::Range Columns();               // every column, i.e. the whole sheet
  excel::Range Columns(std::int64_t col);
  // The smallest rectangle holding both ranges, e.g. Range(Cells(4, 1), Cells(4, 9)).
  excel::Range Range(const excel::Range& first, const excel::Range& last);

  excel::Names& Names();
  excel::Hyperlinks& Hyperlinks();
  excel::PageSetup& PageSetup();

  // Inspection: what the sheet holds and how a cell will look in the file.
  CellValue ValueAt(std::int32_t row, std::int32_t col) const;
  CellFormat EffectiveFormat(std::int32_t row, std::int32_t col) const;
  double EffectiveRowHeight(std::int32_t row) const;
  std::optional<Rect> MergeAreaAt(std::int32_t row, std::int32_t col) const;
  const excel::Names& Names() const { return names_; }
  const excel::Hyperlinks& Hyperlinks() const { return links_; }
  const excel::PageSetup& PageSetup() const { return pageSetup_; }

  // What the file format the workbook will be saved in can hold; writes beyond it raise. Text
  // longer than a cell holds is cut to that length.
  const FileLimits& Limits() const { return format_->limits; }
  // The text as a cell of the sheet's file format holds it: valid UTF-8, cut to the characters
  // a cell holds. Counts the texts that had to be cut.
  std::string CellText(std::string_view text);
  // Every cell of rect shows the text, fitted as CellText fits it.
  void SetText(const Rect& rect, std::string_view text);
  std::size_t CutTexts() const { return cutTexts_; }
  // True once a row past the sheet's last row was asked for: the sheet cannot hold more.
  bool Full() const { return full_; }
  // Longest defined name the sheet takes.
  std::size_t MaxNameLength() const { return format_->limits.definedNameLength; }
  // The format decides what a link's stored target is and how long it may be.
  const FileFormat& Format() const { return *format_; }
  void SetFormat(const FileFormat& format) { format_ = &format; }

  // The store behind the sheet, for the range handles and the resolved sheet.
  SheetStore& Store() { return store_; }
  const SheetStore& Store() const { return store_; }
  // Drops the content; later operations raise.
  void Close();

 private:
  void CheckRowInSheet(std::int64_t row);

  SheetStore store_;
  excel::Names names_;
  excel::Hyperlinks links_;
  excel::PageSetup pageSetup_;
  const FileFormat* format_;
  bool full_ = false;
  std::size_t cutTexts_ = 0;
};

}  // namespace kvo::excel
