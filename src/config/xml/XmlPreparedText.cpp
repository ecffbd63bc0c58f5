#include "config/xml/XmlPreparedText.h"

#include "config/xml/XmlEncoding.h"
#include "config/xml/XmlEntityExpansion.h"
#include "config/xml/XmlTextPosition.h"
#include "config/xml/XmlWellFormed.h"

namespace kvo::xml {

namespace {

ParseError ErrorAt(const XmlFault& tFault, const std::string& sText, std::size_t lOffset) {
  const TextPlace tPlace = PlaceOf(sText, lOffset);
  return {tFault.lCode != 0 ? tFault.lCode : kFaultInternal, tFault.sReason, tPlace.lLine,
          tPlace.lColumn};
}

}  // namespace

PreparedText PrepareText(std::string sBytes, bool bFromFile) {
  PreparedText tOut;
  if (bFromFile) {
    DecodedDocument tDecoded = DecodeDocument(std::move(sBytes));
    if (tDecoded.oFault) {
      tOut.tError = ErrorAt(*tDecoded.oFault, tDecoded.sText, tDecoded.oFault->lOffset);
      return tOut;
    }
    tOut.sText = std::move(tDecoded.sText);
  } else {
    tOut.sText = std::move(sBytes);
    if (tOut.sText.compare(0, 3, "\xEF\xBB\xBF") == 0) tOut.sText.erase(0, 3);
    // The encoding a declaration names does not apply, but one unknown to the platform is
    // refused.
    if (std::optional<XmlFault> oFault = CheckDeclaredEncoding(tOut.sText)) {
      tOut.tError = ErrorAt(*oFault, tOut.sText, oFault->lOffset);
      return tOut;
    }
  }
  WellFormedFacts tFacts;
  try {
    tFacts = CheckDocument(tOut.sText);
  } catch (const XmlFault& tFault) {
    tOut.tError = ErrorAt(tFault, tOut.sText, tFault.lOffset);
    return tOut;
  }
  tOut.bDropSpaceText = tFacts.bSpaceByReference;
  for (const auto& [key, bTokenized] : tFacts.tDtd.mAttributeTokenized) {
    if (bTokenized) tOut.sTokenized.insert(key);
  }
  if (tFacts.vUses.empty()) return tOut;

  // The text with its entities replaced is checked once more as a whole: what they put in
  // must fit where they were referred to (nesting depth, namespace prefixes).
  ExpandedText tExpanded;
  try {
    tExpanded = ExpandEntities(tOut.sText, tFacts);
  } catch (const XmlFault& tFault) {
    tOut.tError = ErrorAt(tFault, tOut.sText, tFault.lOffset);
    return tOut;
  }
  try {
    const WellFormedFacts tAfter = CheckDocument(tExpanded.Text());
    if (!tAfter.vUses.empty()) {
      // Never reached: every reference was replaced.  Were one left, the tree would hold it
      // as text; the document is refused instead.
      throw XmlFault{kFaultInternal, "An entity reference was left unreplaced",
                     tAfter.vUses.front().lOffset};
    }
    tOut.bDropSpaceText |= tAfter.bSpaceByReference;
  } catch (const XmlFault& tFault) {
    tOut.tError = ErrorAt(tFault, tOut.sText, tExpanded.DocumentOffset(tFault.lOffset));
    return tOut;
  }
  tOut.sText = std::move(tExpanded.Text());
  return tOut;
}

}  // namespace kvo::xml
