#include "parse/RefDesGrouper.h"

#include <algorithm>
#include <cstddef>

namespace kvo {

namespace {

// Runs shorter than this stay single designators.
constexpr std::size_t kMinRangeLength = 3;

// A designator that ends in a number: its text, the part before the number and the number's
// digits without leading zeros ("0" for zero), so that values of any length compare exactly.
struct NumberedDesignator {
  std::string sText;
  std::string sPrefix;
  std::string sValue;
};

bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}

// Splits a designator that ends in a number; false for one that does not.
bool SplitNumbered(const std::string& sText, NumberedDesignator& tOut) {
  std::size_t lDigitsAt = sText.size();
  while (lDigitsAt > 0 && IsDigit(sText[lDigitsAt - 1])) --lDigitsAt;
  if (lDigitsAt == sText.size()) return false;
  std::size_t lSignificantAt = sText.find_first_not_of('0', lDigitsAt);
  if (lSignificantAt == std::string::npos) lSignificantAt = sText.size() - 1;
  tOut = {sText, sText.substr(0, lDigitsAt), sText.substr(lSignificantAt)};
  return true;
}

bool ValueLess(const std::string& sLeft, const std::string& sRight) {
  if (sLeft.size() != sRight.size()) return sLeft.size() < sRight.size();
  return sLeft < sRight;
}

// The next value after a digit string without leading zeros.
std::string Successor(std::string sValue) {
  for (auto it = sValue.rbegin(); it != sValue.rend(); ++it) {
    if (*it != '9') {
      ++*it;
      return sValue;
    }
    *it = '0';
  }
  return "1" + sValue;
}

bool Continues(const NumberedDesignator& tPrevious, const NumberedDesignator& tNext) {
  return tNext.sPrefix == tPrevious.sPrefix && tNext.sValue == Successor(tPrevious.sValue);
}

}  // namespace

std::vector<std::string> RefDesGrouper::Group(std::vector<std::string>& vDesignators) {
  std::vector<NumberedDesignator> vNumbered;
  std::vector<std::string> vOthers;
  for (const std::string& sDesignator : vDesignators) {
    NumberedDesignator tSplit;
    if (SplitNumbered(sDesignator, tSplit)) {
      vNumbered.push_back(std::move(tSplit));
    } else {
      vOthers.push_back(sDesignator);
    }
  }
  std::stable_sort(vNumbered.begin(), vNumbered.end(),
                   [](const NumberedDesignator& tLeft, const NumberedDesignator& tRight) {
                     if (tLeft.sPrefix != tRight.sPrefix) return tLeft.sPrefix < tRight.sPrefix;
                     return ValueLess(tLeft.sValue, tRight.sValue);
                   });

  std::vector<std::string> vGrouped;
  std::size_t lStart = 0;
  while (lStart < vNumbered.size()) {
    std::size_t lEnd = lStart;  // last designator of the run that starts at lStart
    while (lEnd + 1 < vNumbered.size() && Continues(vNumbered[lEnd], vNumbered[lEnd + 1])) ++lEnd;
    if (lEnd - lStart + 1 >= kMinRangeLength) {
      vGrouped.push_back(vNumbered[lStart].sText + "-" + vNumbered[lEnd].sText);
    } else {
      for (std::size_t i = lStart; i <= lEnd; ++i) vGrouped.push_back(vNumbered[i].sText);
    }
    lStart = lEnd + 1;
  }
  vGrouped.insert(vGrouped.end(), vOthers.begin(), vOthers.end());
  return vGrouped;
}

}  // namespace kvo
