// A hyperlink as libxlsxwriter takes it.
#pragma once

#include <string>
#include <string_view>

#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::excel::oracle {

// "internal:NAME", "external:" followed by the file name with "%" and "#" (and control
// characters) percent-escaped so that they stay part of the name, or the URL itself; a
// sub-address follows after "#".
std::string LinkArgument(ResolvedLink::Kind kind, std::string_view address,
                         std::string_view subAddress);

}  // namespace kvo::excel::oracle
