// Writes a plain sheet straight through libxlsxwriter with its default options: the floor an
// export is measured against.
#pragma once

#include <string>

#include "DirectSheet.h"

namespace kvo::bench {

// One library format per distinct format, then columns, merges, rows, links, names and page
// setup, then the file. Only library calls: everything they take is ready in the sheet. Returns
// an error text, empty on success.
std::string WriteDirect(const DirectSheet& sheet, const std::string& path);

}  // namespace kvo::bench
