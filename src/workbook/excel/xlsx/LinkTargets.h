// How a hyperlink's address and sub-address become what the workbook file stores: the target
// of its relationship and the location within the target. These raise only std::bad_alloc.
#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>

#include "workbook/excel/resolved/ResolvedSheet.h"

namespace kvo::excel {

// The file name with "%", "#" and control characters percent-escaped, so that they stay part of
// the name instead of reading as escapes or as the start of a location.
std::string EscapedFileName(std::string_view name);

// The target of a file or URL link's relationship (for internal links the sub-address): blanks,
// quotes, angle and square brackets, "^", "`", braces and every "%" that starts no escape are
// percent-escaped; a URL ends before its "#"; file names get "\" for "/", lose a leading ".\"
// and drive and network paths get "file:///" before them.
std::string StoredLinkTarget(ResolvedLink::Kind kind, std::string_view address,
                             std::string_view subAddress);

// The location attribute of the link: the sub-address of internal and file links (none for a
// file link without one); for a URL what follows its first "#", with the sub-address after
// another "#".
std::optional<std::string> LinkLocation(ResolvedLink::Kind kind, std::string_view address,
                                        std::string_view subAddress);

}  // namespace kvo::excel
