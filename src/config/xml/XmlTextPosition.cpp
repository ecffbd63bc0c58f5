#include "config/xml/XmlTextPosition.h"

#include <algorithm>
#include <limits>

namespace kvo::xml {

TextPlace PlaceOf(std::string_view sText, std::size_t lOffset) {
  lOffset = std::min(lOffset, sText.size());
  std::int64_t lLine = 1;
  std::size_t lLineStart = 0;
  for (std::size_t i = 0; i < lOffset; ++i) {
    const char c = sText[i];
    if (c == '\n' || (c == '\r' && (i + 1 >= sText.size() || sText[i + 1] != '\n'))) {
      ++lLine;
      lLineStart = i + 1;
    }
  }
  std::int64_t lColumn = 1;
  for (std::size_t i = lLineStart; i < lOffset; ++i) {
    if ((static_cast<unsigned char>(sText[i]) & 0xC0) != 0x80) ++lColumn;
  }
  constexpr std::int64_t kMax = std::numeric_limits<std::int32_t>::max();
  return {static_cast<std::int32_t>(std::min(lLine, kMax)),
          static_cast<std::int32_t>(std::min(lColumn, kMax))};
}

}  // namespace kvo::xml
