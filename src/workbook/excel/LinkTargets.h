// How a hyperlink's address and sub-address become the link the workbook file stores.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

namespace kvo::excel {

// Longest link target the file format takes (in characters, after escaping).
inline constexpr std::size_t kMaxLinkLength = 2079;

enum class LinkKind {
  Internal,  // empty address: a place in the workbook, the sub-address (a defined name)
  File,      // a file name or path, absolute or relative
  Url,       // an address with a scheme ("https://...", "mailto:...")
};

LinkKind KindOfLink(std::string_view address);

// The link as the file writer takes it: "internal:NAME", "external:" followed by the file name
// with "%" and "#" (and control characters) percent-escaped so that they stay part of the
// name, or the URL itself; a sub-address follows after "#".
std::string WriterLinkArgument(std::string_view address, std::string_view subAddress);

// The target the file ends up holding for the link (for internal links the sub-address): the
// writer additionally escapes blanks and a few other characters, turns "/" into "\" and puts
// "file:///" before drive and network paths.
std::string StoredLinkTarget(std::string_view address, std::string_view subAddress);

}  // namespace kvo::excel
