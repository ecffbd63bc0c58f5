#include "config/StrPart.h"

namespace kvo {

namespace {

std::string CutAt(const std::string& sText, const std::string& sSep, std::size_t pos,
                  bool bRightPart, bool bEmptyIfMissing) {
  if (pos == std::string::npos) return bEmptyIfMissing ? std::string() : sText;
  if (bRightPart) return pos + 1 < sText.size() ? sText.substr(pos + sSep.size()) : std::string();
  return sText.substr(0, pos);
}

}  // namespace

std::string StrPartRev(const std::string& sText, const std::string& sSep, bool bRightPart,
                       bool bEmptyIfMissing) {
  if (sText.empty() || sSep.empty()) return sText;
  return CutAt(sText, sSep, sText.rfind(sSep), bRightPart, bEmptyIfMissing);
}

std::string StrPart(const std::string& sText, const std::string& sSep, bool bRightPart,
                    bool bEmptyIfMissing) {
  if (sText.empty() || sSep.empty()) return sText;
  return CutAt(sText, sSep, sText.find(sSep), bRightPart, bEmptyIfMissing);
}

}  // namespace kvo
