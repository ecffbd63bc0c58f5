// The number an XPath selection reads from a text, as the configuration reader has always read
// ORDER values: blanks around it, an optional '-', digits with an optional fraction, and an
// optional exponent ("1.5e3").  Anything else is no number (NaN).
#pragma once

#include <string_view>

namespace kvo::xml {

double XPathNumber(std::string_view sText);

}  // namespace kvo::xml
