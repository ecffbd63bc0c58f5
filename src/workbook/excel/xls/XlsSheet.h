// The worksheet substream: page setup, column formats, rows with their cells in blocks of 32
// rows indexed by INDEX and DBCELL, the window, merged areas and hyperlinks.
#pragma once

#include <cstdint>
#include <string>
#include <vector>

#include "workbook/excel/resolved/ResolvedSheet.h"
#include "workbook/excel/xls/BiffStream.h"
#include "workbook/excel/xls/SharedStrings.h"
#include "workbook/excel/xls/XlsStyles.h"

namespace kvo::excel {

class XlsSheetWriter {
 public:
  // Walks the rows once: adds their texts to the shared strings and counts the row blocks.
  // Raises the spreadsheet error for a row past the file's last row.
  XlsSheetWriter(const ResolvedSheet& sheet, const XlsStyles& styles, SharedStrings& strings);

  // Writes the substream, walking the rows again. Raises the spreadsheet error for an area past
  // the file's limits (see CheckXlsLimits) or a record the file cannot hold.
  void Write(BiffStream& out) const;

 private:
  struct IndexFields {
    std::size_t columnWidth;  // stream offset of the DEFCOLWIDTH position
    std::size_t firstBlock;   // stream offset of the first DBCELL position
  };

  IndexFields WriteIndex(BiffStream& out) const;
  void WriteDefaultRowHeight(BiffStream& out) const;
  void WriteFooter(BiffStream& out) const;
  void WriteSetup(BiffStream& out) const;
  void WriteColInfos(BiffStream& out) const;
  void WriteDimensions(BiffStream& out) const;
  // Returns the stream offsets of the DBCELL records.
  std::vector<std::uint32_t> WriteRowBlocks(BiffStream& out) const;
  void WriteMergedCells(BiffStream& out) const;
  // The shared-string index of a text cell; units is room for the text in UTF-16.
  std::uint32_t StringOf(const ResolvedCell& cell, std::u16string& units) const;

  static constexpr std::uint32_t kNoString = 0xFFFFFFFF;

  const ResolvedSheet& sheet_;
  const XlsStyles& styles_;
  const SharedStrings& strings_;
  std::size_t blocks_ = 0;
  std::int32_t firstRow_ = 0;  // rows with a record, 0 when none
  std::int32_t lastRow_ = 0;
  std::vector<std::uint32_t> stringOfText_;  // by text number: its shared string, or kNoString
};

}  // namespace kvo::excel
