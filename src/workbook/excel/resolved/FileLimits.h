// What one workbook file format can hold; each file writer declares its own.
#pragma once

#include <cstddef>
#include <cstdint>

namespace kvo::excel {

struct FileLimits {
  std::int32_t rows;              // rows of a sheet
  std::int32_t columns;           // columns of a sheet
  std::size_t linksPerSheet;      // hyperlinks of a sheet
  std::size_t linkAddressLength;  // characters of a link's target
  std::size_t unitsPerCell;       // UTF-16 units of a cell's text (a character beyond U+FFFF
                                  // counts two, as spreadsheet programs count); longer text is cut
  std::size_t definedNameLength;  // characters of a defined name
};

}  // namespace kvo::excel
