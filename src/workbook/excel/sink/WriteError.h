// The failure of writing a workbook file, as the file writer's units raise it.
#pragma once

#include <stdexcept>

namespace kvo::excel {

// what() is the reason alone; the entry points turn it into the spreadsheet error that also
// names the file.
class WriteError : public std::runtime_error {
 public:
  using std::runtime_error::runtime_error;
};

}  // namespace kvo::excel
