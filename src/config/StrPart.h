// String cutters used for paths and child lists.
#pragma once

#include <string>

namespace kvo {

// Cuts sText at the last occurrence of sSep: the part before it, or with bRightPart the part
// after it.  A missing separator gives the whole text, or empty with bEmptyIfMissing; an empty
// text or separator gives the text unchanged.
std::string StrPartRev(const std::string& sText, const std::string& sSep, bool bRightPart,
                       bool bEmptyIfMissing);
// The same, cutting at the first occurrence.
std::string StrPart(const std::string& sText, const std::string& sSep, bool bRightPart,
                    bool bEmptyIfMissing);

}  // namespace kvo
