// A resolved sheet made from a fuzz input, for the file writers. Three inputs in four give a
// sheet the object model could have made and the file format declares it can write; the
// others go past the format's limits (rows, columns, links, link targets, names, formats,
// footer), so that the writers' refusals run too. Either way the sheet keeps what every
// resolved sheet keeps: rows, cells, column runs and links in ascending order, valid UTF-8 in
// its texts, finite numbers.
#pragma once

#include <cstddef>
#include <cstdint>
#include <deque>
#include <string>
#include <string_view>
#include <vector>

#include "FuzzInput.h"
#include "workbook/excel/resolved/FileFormat.h"
#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::fuzz {

// What a sheet of one file format holds beyond its FileLimits, in characters as the format
// counts them.
struct SheetBounds {
  const excel::FileFormat* format;
  std::size_t maxFormats;
  std::size_t numberFormatChars;
  std::size_t footerChars;
  std::size_t (*chars)(std::string_view utf8);
};
SheetBounds XlsxBounds();
SheetBounds XlsBounds();

class FuzzSheet {
 public:
  // Reads the input to its end. Raises nothing but std::bad_alloc.
  FuzzSheet(FuzzInput& in, const SheetBounds& bounds);
  FuzzSheet(const FuzzSheet&) = delete;
  FuzzSheet& operator=(const FuzzSheet&) = delete;

  const excel::ResolvedSheet& Sheet() const { return sheet_; }
  bool WithinLimits() const { return within_; }
  // Cells the rows hold, each a cell record of the file.
  std::int64_t CellCount() const { return cells_; }

 private:
  struct Row {
    std::int32_t row;
    double height;
    std::optional<std::uint32_t> format;
    std::vector<excel::ResolvedCell> cells;
  };
  class Walk;

  void AddFormat(FuzzInput& in);
  void AddColumnRun(FuzzInput& in);
  void AddRow(FuzzInput& in);
  void AddCells(FuzzInput& in, Row& row);
  void AddMerge(FuzzInput& in);
  void AddLink(FuzzInput& in);
  void AddName(FuzzInput& in);
  void SetPage(FuzzInput& in);
  void AddMany(FuzzInput& in);
  void Finish();

  excel::ResolvedCell MakeCell(FuzzInput& in, std::int32_t col);
  std::uint32_t FormatIndex(FuzzInput& in);
  std::int32_t RowLimit() const;
  std::int32_t ColumnLimit() const;
  excel::Rect MakeRect(FuzzInput& in);
  std::string_view Keep(std::string text);
  void AddRowsAfter(std::int32_t count, std::string_view text);

  SheetBounds bounds_;
  bool within_ = true;
  std::size_t textBytes_ = 0;
  std::int64_t cells_ = 0;
  std::deque<std::string> texts_;
  std::vector<Row> rows_;
  excel::ResolvedSheet sheet_;
};

}  // namespace kvo::fuzz
