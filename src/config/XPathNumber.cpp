#include "config/XPathNumber.h"

#include <cstdlib>
#include <limits>
#include <string>

namespace kvo::xml {

namespace {

bool IsBlank(char c) {
  return c == ' ' || c == '\t' || c == '\r' || c == '\n';
}

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

}  // namespace

double XPathNumber(std::string_view s) {
  constexpr double kNaN = std::numeric_limits<double>::quiet_NaN();
  std::size_t i = 0;
  while (i < s.size() && IsBlank(s[i])) ++i;
  std::string sNumber;
  if (i < s.size() && s[i] == '-') sNumber.push_back(s[i++]);
  bool bDigits = false;
  while (i < s.size() && IsDigit(s[i])) {
    sNumber.push_back(s[i++]);
    bDigits = true;
  }
  if (i < s.size() && s[i] == '.') {
    sNumber.push_back(s[i++]);
    while (i < s.size() && IsDigit(s[i])) {
      sNumber.push_back(s[i++]);
      bDigits = true;
    }
  }
  if (!bDigits) return kNaN;
  if (i < s.size() && (s[i] == 'e' || s[i] == 'E')) {
    std::string sExponent = "e";
    ++i;
    if (i < s.size() && (s[i] == '-' || s[i] == '+')) sExponent.push_back(s[i++]);
    while (i < s.size() && IsDigit(s[i])) sExponent.push_back(s[i++]);
    // "1e" has no exponent digits: an exponent of 0.
    if (IsDigit(sExponent.back())) sNumber += sExponent;
  }
  while (i < s.size() && IsBlank(s[i])) ++i;
  if (i != s.size()) return kNaN;
  return std::strtod(sNumber.c_str(), nullptr);
}

}  // namespace kvo::xml
