// Reading an .xlsx workbook back as a strict reader would: the zip container entry by entry
// (local headers against the central directory, every entry inflated, its size and CRC
// compared) and every XML part parsed.
#pragma once

#include <cstdint>
#include <map>
#include <string>
#include <string_view>

namespace kvo::fuzz {

struct XlsxContents {
  std::map<std::string, std::string> parts;  // name, inflated content
  std::int64_t cells = 0;                    // <c> elements of the worksheet
};

// Fails (see FuzzCheck.h) at the first fault: a record out of place, sizes or CRCs that
// disagree, a part that does not inflate or is no well-formed XML, a missing main part.
XlsxContents CheckXlsx(std::string_view bytes);

}  // namespace kvo::fuzz
