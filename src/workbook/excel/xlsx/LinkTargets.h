// How a hyperlink's address and sub-address become the link the workbook file stores.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::excel {

// The link as the file writer takes it: "internal:NAME", "external:" followed by the file name
// with "%" and "#" (and control characters) percent-escaped so that they stay part of the
// name, or the URL itself; a sub-address follows after "#".
std::string WriterLinkArgument(ResolvedLink::Kind kind, std::string_view address,
                               std::string_view subAddress);

// The target the file ends up holding for the link (for internal links the sub-address): the
// writer additionally escapes blanks and a few other characters, turns "/" into "\" and puts
// "file:///" before drive and network paths.
std::string StoredLinkTarget(ResolvedLink::Kind kind, std::string_view address,
                             std::string_view subAddress);

}  // namespace kvo::excel
