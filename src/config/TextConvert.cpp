#include "config/TextConvert.h"

#include <kvoexportexcel/RunError.h>

#include <cerrno>
#include <cmath>
#include <cstdlib>
#include <string_view>

namespace kvo {

std::int32_t TextToLong(const std::string& sText) {
  const char* begin = sText.c_str();
  while (*begin == ' ' || *begin == '\t') ++begin;
  if (*begin == '\0') throw RunError(kErrTypeMismatch, "Type mismatch");
  for (const char* p = begin; *p != '\0' && *p != ' ' && *p != '\t'; ++p) {
    // Plain decimal notation only (no hexadecimal, infinity or NaN spellings).
    if (std::string_view("+-0123456789.eE").find(*p) == std::string_view::npos) {
      throw RunError(kErrTypeMismatch, "Type mismatch");
    }
  }
  char* end = nullptr;
  errno = 0;
  double d = std::strtod(begin, &end);
  while (end != nullptr && (*end == ' ' || *end == '\t')) ++end;
  if (end == begin || end == nullptr || *end != '\0' || std::isnan(d)) {
    throw RunError(kErrTypeMismatch, "Type mismatch");
  }
  double rounded = std::nearbyint(d);  // default rounding mode: half to even
  if (errno == ERANGE || rounded > 2147483647.0 || rounded < -2147483648.0) {
    throw RunError(kErrOverflow, "Overflow");
  }
  return static_cast<std::int32_t>(rounded);
}

std::string GroupedNumber(std::int64_t lCount) {
  const std::string sDigits = std::to_string(lCount < 0 ? -lCount : lCount);
  std::string sOut = lCount < 0 ? "-" : "";
  for (std::size_t i = 0; i < sDigits.size(); ++i) {
    if (i > 0 && (sDigits.size() - i) % 3 == 0) sOut += ',';
    sOut += sDigits[i];
  }
  return sOut;
}

std::string CountWas(std::int64_t lCount, const std::string& sOne, const std::string& sMany) {
  return GroupedNumber(lCount) + (lCount == 1 ? " " + sOne + " was" : " " + sMany + " were");
}

}  // namespace kvo
