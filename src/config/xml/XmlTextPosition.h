// Where an offset of UTF-8 text lies, as a person counts: line and character within the line.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string_view>

namespace kvo::xml {

struct TextPlace {
  std::int32_t lLine = 1;    // from 1; a line ends at a line feed, a carriage return, or both
  std::int32_t lColumn = 1;  // from 1, in characters (code points), not bytes
};

// The place of the byte at lOffset (the end of the text for an offset beyond it).
TextPlace PlaceOf(std::string_view sText, std::size_t lOffset);

}  // namespace kvo::xml
