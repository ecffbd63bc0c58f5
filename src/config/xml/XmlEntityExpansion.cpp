#include "config/xml/XmlEntityExpansion.h"

#include <algorithm>
#include <set>
#include <unordered_map>

namespace kvo::xml {

namespace {

// The text an entity puts in, by the place it is referred to from.
class Expander {
 public:
  Expander(const DtdTables& tDtd, std::size_t lLimit) : tDtd_(tDtd), lLimit_(lLimit) {}

  const std::string& ForContent(const std::string& sName, std::size_t lRef) {
    return Expansion(sName, lRef, false, 0);
  }
  const std::string& ForAttribute(const std::string& sName, std::size_t lRef) {
    return Expansion(sName, lRef, true, 0);
  }

  // Counts what a reference puts in against the limit.
  void Count(std::size_t lSize, std::size_t lRef) {
    lTotal_ += lSize;
    if (lTotal_ > lLimit_) TooMuch(lRef);
  }

 private:
  [[noreturn]] void TooMuch(std::size_t lRef) const {
    throw XmlFault{kFaultEntityLoop,
                   "Excessive entity expansion: the entities of the document would put in more "
                   "than " +
                       std::to_string(lLimit_) + " characters",
                   lRef};
  }

  const std::string& Expansion(const std::string& sName, std::size_t lRef, bool bAttribute,
                               int lDepth) {
    auto& mCache = bAttribute ? mAttribute_ : mContent_;
    if (auto it = mCache.find(sName); it != mCache.end()) return it->second;
    if (lDepth >= kMaxEntityDepth) {
      throw XmlFault{kFaultEntityLoop,
                     "Detected an entity reference loop: entity references nest deeper than " +
                         std::to_string(kMaxEntityDepth) + " levels",
                     lRef};
    }
    auto& sOpen = bAttribute ? sOpenAttribute_ : sOpenContent_;
    if (!sOpen.insert(sName).second) {
      throw XmlFault{kFaultEntityLoop,
                     "Detected an entity reference loop: entity '" + sName + "' refers to itself",
                     lRef};
    }
    const DtdEntity& tEntity = tDtd_.mGeneral.at(sName);
    std::string sOut = bAttribute ? ValueText(tEntity.sValue, sName, lRef, lDepth)
                                  : ContentText(tEntity.sValue, sName, lRef, lDepth);
    if (!bAttribute) CheckContentFragment(sOut, tDtd_, lRef);
    sOpen.erase(sName);
    return mCache.emplace(sName, std::move(sOut)).first->second;
  }

  // An entity's text as it goes into an attribute value: escaped, its references replaced.
  std::string ValueText(std::string_view sValue, const std::string& sName, std::size_t lRef,
                        int lDepth) {
    std::string sOut;
    for (std::size_t i = 0; i < sValue.size();) {
      const char c = sValue[i];
      if (c == '&') {
        const std::size_t lEnd = sValue.find(';', i);
        const std::string_view sRef = lEnd == std::string_view::npos
                                          ? std::string_view()
                                          : sValue.substr(i + 1, lEnd - i - 1);
        if (!sRef.empty() && sRef[0] == '#') {
          // A character reference the entity value had escaped ("&#38;#60;").
          XmlScan scan(sValue.substr(i + 2), lRef);
          AppendEscaped(sOut, scan.CharRefValue());
          i += 2 + static_cast<std::size_t>(scan.Pos() - (sValue.data() + i + 2));
        } else if (!sRef.empty() && IsName(sRef)) {
          Reference(sOut, sName, std::string(sRef), lRef, true, lDepth);
          i = lEnd + 1;
        } else {
          throw XmlFault{kFaultName, "A '&' that starts no reference, in entity '" + sName + "'",
                         lRef};
        }
      } else if (c == '<') {
        throw XmlFault{kFaultLtInAttribute,
                       "'<' in entity '" + sName + "' is not allowed in attributes values", lRef};
      } else {
        char32_t cp = 0;
        const std::size_t n =
            chars::DecodeUtf8(sValue.data() + i, sValue.data() + sValue.size(), cp);
        AppendEscaped(sOut, cp);
        i += std::max<std::size_t>(n, 1);
      }
      if (sOut.size() > lLimit_) TooMuch(lRef);
    }
    return sOut;
  }

  // An entity's text as it goes into content: markup as it stands, references replaced as
  // their place asks (in content, in an attribute value, not at all in comments, processing
  // instructions and CDATA sections).
  std::string ContentText(std::string_view sValue, const std::string& sName, std::size_t lRef,
                          int lDepth) {
    enum class In { kText, kTag, kValue, kUntil } eIn = In::kText;
    char cQuote = 0;
    std::string_view sUntil;  // what ends a comment, processing instruction or CDATA section
    std::string sOut;
    for (std::size_t i = 0; i < sValue.size();) {
      const std::string_view sRest = sValue.substr(i);
      const char c = sValue[i];
      if (eIn == In::kUntil) {
        if (sRest.starts_with(sUntil)) {
          sOut.append(sUntil);
          i += sUntil.size();
          eIn = In::kText;
          continue;
        }
      } else if (eIn == In::kText && c == '<') {
        for (const auto& [sOpen, sClose] :
             {std::pair<std::string_view, std::string_view>{"<!--", "-->"},
              {"<![CDATA[", "]]>"},
              {"<?", "?>"}}) {
          if (sRest.starts_with(sOpen)) {
            sOut.append(sOpen);
            i += sOpen.size();
            sUntil = sClose;
            eIn = In::kUntil;
            break;
          }
        }
        if (eIn == In::kUntil) continue;
        eIn = In::kTag;
      } else if (eIn == In::kTag && (c == '"' || c == '\'')) {
        eIn = In::kValue;
        cQuote = c;
      } else if (eIn == In::kTag && c == '>') {
        eIn = In::kText;
      } else if (eIn == In::kValue && c == cQuote) {
        eIn = In::kTag;
      } else if (c == '&' && eIn != In::kTag) {
        const std::size_t lEnd = sValue.find(';', i);
        const std::string_view sRef = lEnd == std::string_view::npos
                                          ? std::string_view()
                                          : sValue.substr(i + 1, lEnd - i - 1);
        if (!sRef.empty() && sRef[0] != '#' && IsName(sRef)) {
          Reference(sOut, sName, std::string(sRef), lRef, eIn == In::kValue, lDepth);
          i = lEnd + 1;
          continue;
        }
        // Character references stay as they are; a stray '&' is named by the fragment check.
      }
      sOut.push_back(c);
      ++i;
      if (sOut.size() > lLimit_) TooMuch(lRef);
    }
    return sOut;
  }

  void Reference(std::string& sOut, const std::string& sIn, const std::string& sRef,
                 std::size_t lRef, bool bAttribute, int lDepth) {
    if (IsPredefinedEntity(sRef)) {
      if (bAttribute) {
        static const std::unordered_map<std::string, char32_t> kChars = {
            {"lt", '<'}, {"gt", '>'}, {"amp", '&'}, {"apos", '\''}, {"quot", '"'}};
        AppendEscaped(sOut, kChars.at(sRef));
      } else {
        sOut.append("&").append(sRef).append(";");
      }
      return;
    }
    auto it = tDtd_.mGeneral.find(sRef);
    if (it == tDtd_.mGeneral.end()) {
      throw XmlFault{kFaultUndeclaredEntity,
                     "Entity '" + sRef + "' not defined (referred to by entity '" + sIn + "')",
                     lRef};
    }
    if (it->second.bUnparsed) {
      throw XmlFault{kFaultUnparsedEntity, "Entity reference to unparsed entity " + sRef, lRef};
    }
    if (it->second.bExternal) {
      if (bAttribute) {
        throw XmlFault{kFaultExternalEntityInAttribute,
                       "Attribute references external entity '" + sRef + "'", lRef};
      }
      return;  // never read
    }
    const std::string& sText = Expansion(sRef, lRef, bAttribute, lDepth + 1);
    if (sOut.size() + sText.size() > lLimit_) TooMuch(lRef);
    sOut.append(sText);
  }

  static bool IsName(std::string_view s) {
    XmlScan scan(s, 0);
    try {
      scan.Name("");
    } catch (const XmlFault&) {
      return false;
    }
    return scan.AtEnd();
  }

  // A value's character as the tree parser reads it back unchanged: markup characters and
  // white space other than the space as references (a value's line breaks and tabs would
  // otherwise become spaces).
  static void AppendEscaped(std::string& sOut, char32_t c) {
    switch (c) {
      case '<':
        sOut += "&lt;";
        break;
      case '&':
        sOut += "&amp;";
        break;
      case '"':
        sOut += "&quot;";
        break;
      case '\'':
        sOut += "&apos;";
        break;
      case '\t':
        sOut += "&#9;";
        break;
      case '\n':
        sOut += "&#10;";
        break;
      case '\r':
        sOut += "&#13;";
        break;
      default:
        chars::AppendUtf8(sOut, c);
    }
  }

  const DtdTables& tDtd_;
  std::size_t lLimit_;
  std::size_t lTotal_ = 0;
  std::unordered_map<std::string, std::string> mContent_, mAttribute_;
  std::set<std::string> sOpenContent_, sOpenAttribute_;
};

}  // namespace

void ExpandedText::Copy(std::string_view sPart, std::size_t lFrom) {
  vPieces_.push_back({sText_.size(), lFrom, true});
  sText_.append(sPart);
}

void ExpandedText::Insert(std::string_view sPart, std::size_t lReference) {
  vPieces_.push_back({sText_.size(), lReference, false});
  sText_.append(sPart);
}

std::size_t ExpandedText::DocumentOffset(std::size_t lOffset) const {
  auto it = std::upper_bound(vPieces_.begin(), vPieces_.end(), lOffset,
                             [](std::size_t l, const Piece& p) { return l < p.lAt; });
  if (it == vPieces_.begin()) return lOffset;
  --it;
  return it->bCopied ? it->lFrom + (lOffset - it->lAt) : it->lFrom;
}

ExpandedText ExpandEntities(std::string_view sText, const WellFormedFacts& tFacts) {
  Expander expander(tFacts.tDtd, kExpansionAllowance + 10 * sText.size());
  ExpandedText tOut;
  tOut.Text().reserve(sText.size());
  std::size_t lDone = 0;
  for (const EntityUse& tUse : tFacts.vUses) {
    tOut.Copy(sText.substr(lDone, tUse.lOffset - lDone), lDone);
    const std::string sName(tUse.sName);
    const DtdEntity& tEntity = tFacts.tDtd.mGeneral.at(sName);
    if (!tEntity.bExternal) {
      const std::string& sPut = tUse.bInAttribute ? expander.ForAttribute(sName, tUse.lOffset)
                                                  : expander.ForContent(sName, tUse.lOffset);
      expander.Count(sPut.size(), tUse.lOffset);
      tOut.Insert(sPut, tUse.lOffset);
    }
    lDone = tUse.lOffset + tUse.lLength;
  }
  tOut.Copy(sText.substr(lDone), lDone);
  return tOut;
}

}  // namespace kvo::xml
