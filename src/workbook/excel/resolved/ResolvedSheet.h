// The sheet as a file writer reads it: produced when the workbook is saved, read-only, with
// every decision that is the same for all file formats already taken (which cells need a
// record, the final format of each cell, column runs, row heights).
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "workbook/excel/store/CellFormat.h"
#include "workbook/excel/store/Rect.h"
#include "workbook/excel/store/SheetDimensions.h"

namespace kvo::excel {

// The text number of a cell whose text has none.
inline constexpr std::uint32_t kNoTextId = 0xFFFFFFFF;

// One cell that needs a record: a value, or a blank that carries a format.
struct ResolvedCell {
  enum class Kind : std::uint8_t { Blank, Text, Number };

  std::int32_t col = 1;
  std::uint32_t format = 0;  // index into ResolvedSheet::formats
  Kind kind = Kind::Blank;
  // Valid UTF-8, within the format's characters per cell; stays valid while the sheet is read.
  std::string_view text;
  double number = 0;
  // Below ResolvedSheet::textIds, the same for every cell with the same text, so that writers
  // work out what a text needs once; kNoTextId when the text has no number.
  std::uint32_t textId = kNoTextId;
};

// One row that needs a record: it has cells, a height other than the default, or a format.
struct ResolvedRow {
  std::int32_t row = 1;
  double height = 15;                   // the height the row shows, in points
  bool customHeight = false;            // height differs from the sheet's default row height
  std::optional<std::uint32_t> format;  // format of the row's cells without a record
  std::span<const ResolvedCell> cells;  // ascending columns
};

// Columns first..last sharing one width and one format; columns in no run have the default
// width and no format.
struct ColumnRun {
  std::int32_t first = 1;
  std::int32_t last = 1;
  double width = 8.43;  // characters of the default font
  std::optional<std::uint32_t> format;
};

struct ResolvedLink {
  enum class Kind : std::uint8_t {
    Internal,  // a place in the workbook: subAddress names it
    File,      // address is a file name or path, absolute or relative
    Url,       // address has a scheme ("https://...", "mailto:...")
  };

  std::int32_t row = 1;
  ResolvedCell anchor;  // the cell holding the link, with what it shows and its format
  Kind kind = Kind::Internal;
  std::string address;     // valid UTF-8; empty for internal links
  std::string subAddress;  // valid UTF-8
  std::string screenTip;   // valid UTF-8
};

// A name local to the sheet, for an area of it (the builder names whole rows).
struct ResolvedName {
  std::string name;
  Rect refersTo;
};

struct ResolvedPageSetup {
  bool landscape = false;
  int paperSize = 9;              // the spreadsheet's paper code: 9 A4, 1 Letter
  std::optional<Rect> titleRows;  // whole rows repeated on every printed page
  std::string centerFooter;       // with the codes "&P" (page number) and "&&"; valid UTF-8
  std::optional<Rect> printArea;
};

// Hands out the rows of one walk, in ascending order; a row and its cells stay valid until
// the next call (the cells' texts longer: as long as the resolved sheet). Null after the last
// row.
class RowWalk {
 public:
  virtual ~RowWalk() = default;
  virtual const ResolvedRow* Next() = 0;
};

struct ResolvedSheet {
  std::string name;
  // The height rows show unless they have their own; set when every row was given a height.
  double defaultRowHeight = 15;
  bool defaultRowHeightSet = false;
  // Distinct formats; entry 0 is the default look (CellFormat{}).
  std::vector<CellFormat> formats;
  // The text numbers cells carry lie below this.
  std::uint32_t textIds = 0;
  std::vector<ColumnRun> columns;   // ascending, not overlapping
  std::vector<Rect> merges;         // in the order they were made
  std::vector<ResolvedLink> links;  // row by row, column by column
  std::vector<ResolvedName> names;  // in the order they were added
  ResolvedPageSetup page;
  // The smallest rectangle holding every cell record; none for a sheet without one.
  std::optional<Rect> usedRange;
  // A fresh walk over the rows each time it is called; writers may walk more than once.
  std::function<std::unique_ptr<RowWalk>()> rows;
};

// The height a row hidden by a height of 0 shows once unhidden: the sheet's default height, or
// the default font's where that default hides every row too. Files store this, never a 0.
inline double ShownRowHeight(const ResolvedSheet& sheet) {
  return sheet.defaultRowHeight > 0 ? sheet.defaultRowHeight : kDefaultRowHeight;
}

}  // namespace kvo::excel
