// Conversion of configuration and list texts to whole numbers, and of counts to text.
#pragma once

#include <cstdint>
#include <string>

namespace kvo {

// Reads a number text as a 32-bit integer: blanks around it are allowed, a fraction is rounded
// half to even.  Not a number: RunError 13 (type mismatch); too large: RunError 6 (overflow).
std::int32_t TextToLong(const std::string& sText);

// A count as log lines show it, with thousands separated: 65530 gives "65,530".
std::string GroupedNumber(std::int64_t lCount);
// A count with its noun and verb agreeing: (1, "cell text", "cell texts") gives "1 cell text
// was", (2, ...) "2 cell texts were".
std::string CountWas(std::int64_t lCount, const std::string& sOne, const std::string& sMany);

}  // namespace kvo
