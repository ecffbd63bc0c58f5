#include "config/xml/XmlWellFormed.h"

#include <cstring>
#include <string>

#include "config/xml/XmlTextPosition.h"

namespace kvo::xml {

namespace {

constexpr std::string_view kXmlNamespace = "http://www.w3.org/XML/1998/namespace";
constexpr std::string_view kXmlnsNamespace = "http://www.w3.org/2000/xmlns/";

bool IsXmlWhiteSpace(char32_t c) {
  return c == 0x20 || c == 0x9 || c == 0xA || c == 0xD;
}

class Checker {
 public:
  // pFacts: what a document check finds (its tables among them); none for a fragment, which
  // looks entities up in tDtd.
  Checker(std::string_view sText, std::size_t lReportAt, const DtdTables& tDtd,
          WellFormedFacts* pFacts)
      : s_(sText, lReportAt), tDtd_(pFacts != nullptr ? pFacts->tDtd : tDtd), pFacts_(pFacts) {
    vOpen_.reserve(64);
    vAttributes_.reserve(32);
  }

  void Document() {
    if (s_.LooksAt("<?xml") && chars::Is(s_.Peek(5), chars::kSpaceByte)) XmlDeclaration();
    bool bDoctype = false;
    for (;;) {
      s_.SkipSpaces();
      if (s_.AtEnd()) {
        s_.Fail(kFaultDocumentEmpty,
                s_.Text().empty() ? "Document is empty" : "Document has no root element");
      }
      if (s_.LooksAt("<!--")) {
        s_.Comment();
      } else if (s_.LooksAt("<?")) {
        s_.ProcessingInstruction();
      } else if (s_.LooksAt("<!DOCTYPE")) {
        if (bDoctype) s_.Fail(kFaultName, "A second DOCTYPE declaration");
        bDoctype = true;
        ReadDoctype(s_, pFacts_->tDtd);
      } else if (s_.Peek() == '<' && s_.Peek(1) != '!' && s_.Peek(1) != '/') {
        break;
      } else {
        s_.Fail(kFaultDocumentEmpty, "Start tag expected, '<' not found");
      }
    }
    if (StartTag()) Content(false);
    for (;;) {
      s_.SkipSpaces();
      if (s_.AtEnd()) return;
      if (s_.LooksAt("<!--")) {
        s_.Comment();
      } else if (s_.LooksAt("<?")) {
        s_.ProcessingInstruction();
      } else {
        s_.Fail(kFaultExtraContent,
                "Extra content at the end of the document: only one root element is allowed");
      }
    }
  }

  void Fragment() { Content(true); }

 private:
  struct Open {
    std::string_view sName;
    const char* pTag;
  };
  struct Attribute {
    std::string_view sName;
    std::string_view sValue;  // as written, references not replaced
    const char* pAt;
  };
  struct Binding {
    std::string_view sPrefix;  // empty for the default namespace
    std::string_view sUri;
    std::size_t lDepth;
  };

  void XmlDeclaration() {
    s_.SetPos(s_.Pos() + 5);
    s_.SkipSpaces();
    s_.Expect("version", kFaultDeclaration, "Malformed declaration expecting version");
    const std::string_view sVersion = DeclarationValue("version");
    const bool bVersion = sVersion.size() > 2 && sVersion.substr(0, 2) == "1." &&
                          sVersion.find_first_not_of("0123456789", 2) == std::string_view::npos;
    if (!bVersion) s_.Fail(kFaultVersion, "Unsupported version '" + std::string(sVersion) + "'");
    bool bSpace = s_.SkipSpaces();
    if (bSpace && s_.Take("encoding")) {
      const std::string_view sName = DeclarationValue("encoding");
      bool bName = !sName.empty() && ((sName[0] | 0x20) >= 'a' && (sName[0] | 0x20) <= 'z');
      for (char c : sName) {
        bName &= chars::Is(c, chars::kNameByte) && c != ':';
      }
      if (!bName) s_.Fail(kFaultEncodingName, "Invalid XML encoding name");
      bSpace = s_.SkipSpaces();
    }
    if (bSpace && s_.Take("standalone")) {
      const std::string_view sValue = DeclarationValue("standalone");
      if (sValue != "yes" && sValue != "no") {
        s_.Fail(kFaultStandalone, "standalone accepts only 'yes' or 'no'");
      }
      s_.SkipSpaces();
    }
    s_.Expect("?>", kFaultDeclaration, "parsing XML declaration: '?>' expected");
  }

  // = "value" in the XML declaration; the value between the quotes.
  std::string_view DeclarationValue(const std::string& sWhat) {
    s_.SkipSpaces();
    s_.Expect("=", kFaultDeclaration, "XML declaration: '=' expected after " + sWhat);
    s_.SkipSpaces();
    const char cQuote = s_.Peek();
    if (cQuote != '"' && cQuote != '\'') {
      s_.Fail(kFaultDeclaration, "XML declaration: " + sWhat + " needs a quoted value");
    }
    const char* pStart = s_.Pos() + 1;
    const char* p = pStart;
    while (p < s_.End() && *p != cQuote && *p != '<' && *p != '>') ++p;
    if (p >= s_.End() || *p != cQuote) {
      s_.Fail(kFaultDeclaration, "XML declaration: the " + sWhat + " value is not closed");
    }
    s_.SetPos(p + 1);
    return {pStart, static_cast<std::size_t>(p - pStart)};
  }

  // Character data, references, comments, CDATA sections and child elements until the root
  // element is closed (a fragment: until the end of the text, with every element closed).
  void Content(bool bFragment) {
    for (;;) {
      const char* p = s_.Pos();
      while (chars::Is(*p, chars::kTextByte)) ++p;
      s_.SetPos(p);
      const char c = *p;
      if (p >= s_.End()) {
        if (bFragment && vOpen_.empty()) return;
        const Open& tOpen = vOpen_.back();
        s_.FailAt(
            tOpen.pTag, kFaultTagNotFinished,
            "Premature end of data: element '" + std::string(tOpen.sName) + "' is not closed");
      }
      if (c == '<') {
        if (p[1] == '/') {
          EndTag();
          if (!bFragment && vOpen_.empty()) return;
        } else if (p[1] == '!') {
          if (s_.LooksAt("<!--")) {
            s_.Comment();
          } else if (s_.LooksAt("<![CDATA[")) {
            CdataSection();
          } else {
            s_.Fail(kFaultName, "'<!' in content starts neither a comment nor a CDATA section");
          }
        } else if (p[1] == '?') {
          s_.ProcessingInstruction();
        } else {
          StartTag();
        }
      } else if (c == '&') {
        Reference(false);
      } else if (c == ']') {
        if (s_.LooksAt("]]>"))
          s_.Fail(kFaultCdataEndInContent, "Sequence ']]>' not allowed in content");
        s_.SetPos(p + 1);
      } else if (static_cast<unsigned char>(c) >= 0x80) {
        s_.NextChar();
      } else {
        s_.Fail(kFaultInvalidChar,
                "PCDATA invalid Char value " + std::to_string(static_cast<unsigned char>(c)));
      }
    }
  }

  void CdataSection() {
    const char* pStart = s_.Pos();
    s_.SetPos(pStart + 9);
    for (;;) {
      const char* p = s_.Pos();
      while (chars::Is(*p, chars::kPlainByte)) ++p;
      s_.SetPos(p);
      if (p >= s_.End()) {
        s_.FailAt(pStart, kFaultCdataNotFinished, "CDATA section not finished: ']]>' expected");
      }
      if (*p == ']' && s_.LooksAt("]]>")) {
        s_.SetPos(p + 3);
        return;
      }
      if (*p == '-' || *p == '?' || *p == ']' || *p == '>') {
        s_.SetPos(p + 1);
      } else {
        s_.NextChar();
      }
    }
  }

  // "&...;" at the cursor, in content or in an attribute value.
  void Reference(bool bInAttribute) {
    const char* pRef = s_.Pos();
    if (pRef[1] == '#') {
      s_.SetPos(pRef + 2);
      const char32_t c = s_.CharRefValue();
      if (!bInAttribute && IsXmlWhiteSpace(c) && pFacts_ != nullptr) {
        pFacts_->bSpaceByReference = true;
      }
      return;
    }
    s_.SetPos(pRef + 1);
    if (!chars::Is(s_.Peek(), chars::kNameStartByte) &&
        static_cast<unsigned char>(s_.Peek()) < 0x80) {
      s_.FailAt(pRef, kFaultName, "A '&' that starts no reference: write &amp; for the character");
    }
    const std::string_view sName = s_.Name("A '&' that starts no reference");
    if (s_.Peek() != ';') {
      s_.FailAt(pRef, kFaultEntityRefSemicolon,
                "EntityRef: expecting ';' after '&" + std::string(sName) + "'");
    }
    s_.SetPos(s_.Pos() + 1);
    if (IsPredefinedEntity(sName)) return;
    const std::string sKey(sName);
    auto it = tDtd_.mGeneral.find(sKey);
    if (it == tDtd_.mGeneral.end()) {
      s_.FailAt(pRef, kFaultUndeclaredEntity, "Entity '" + sKey + "' not defined");
    }
    if (it->second.bUnparsed) {
      s_.FailAt(pRef, kFaultUnparsedEntity, "Entity reference to unparsed entity " + sKey);
    }
    if (bInAttribute && it->second.bExternal) {
      s_.FailAt(pRef, kFaultExternalEntityInAttribute,
                "Attribute references external entity '" + sKey + "'");
    }
    if (pFacts_ != nullptr) {
      pFacts_->vUses.push_back(
          {s_.Offset(pRef), static_cast<std::size_t>(s_.Pos() - pRef), it->first, bInAttribute});
    }
  }

  // A start tag at the cursor; true when it opened an element (not "<.../>").
  bool StartTag() {
    const char* pTag = s_.Pos();
    s_.SetPos(pTag + 1);
    const std::string_view sName = ElementName("StartTag: invalid element name");
    if (vOpen_.size() >= kMaxElementDepth) {
      s_.FailAt(pTag, kFaultDepth,
                "Excessive depth in document: elements nest deeper than " +
                    std::to_string(kMaxElementDepth) + " levels");
    }
    bool bNamespaces = std::memchr(sName.data(), ':', sName.size()) != nullptr;
    vAttributes_.clear();
    for (;;) {
      const bool bSpace = s_.SkipSpaces();
      const char c = s_.Peek();
      if (c == '>' || (c == '/' && s_.Peek(1) == '>')) {
        s_.SetPos(s_.Pos() + (c == '>' ? 1 : 2));
        vOpen_.push_back({sName, pTag});
        // A fragment's prefixes are resolved where it is put in, with the whole document.
        if (bNamespaces && pFacts_ != nullptr) Namespaces(sName, pTag);
        if (c == '>') return true;
        CloseElement();
        return false;
      }
      if (s_.AtEnd()) {
        s_.FailAt(pTag, kFaultGtRequired,
                  "Couldn't find end of Start Tag " + std::string(sName) + ": '>' expected");
      }
      if (!bSpace) {
        s_.Fail(kFaultSpaceRequired,
                c == '/' ? "'/' not followed by '>' in start tag " + std::string(sName)
                         : "attributes construct error: space required before an attribute");
      }
      const char* pAt = s_.Pos();
      const std::string_view sAttribute = ElementName("error parsing attribute name");
      s_.SkipSpaces();
      if (!s_.Take("=")) {
        s_.Fail(kFaultAttributeValueStart,
                "Attribute " + std::string(sAttribute) + " without value: '=' expected");
      }
      s_.SkipSpaces();
      const std::string_view sValue = AttributeValue();
      for (const Attribute& tOther : vAttributes_) {
        if (tOther.sName.size() == sAttribute.size() && tOther.sName == sAttribute) {
          s_.FailAt(pAt, kFaultAttributeRedefined,
                    "Attribute " + std::string(sAttribute) + " redefined");
        }
      }
      vAttributes_.push_back({sAttribute, sValue, pAt});
      bNamespaces |= sAttribute.size() >= 5 && sAttribute.substr(0, 5) == "xmlns";
      bNamespaces |= std::memchr(sAttribute.data(), ':', sAttribute.size()) != nullptr;
    }
  }

  // An element or attribute name: ASCII name characters are taken in one loop.
  std::string_view ElementName(const char* sWhat) {
    const char* p = s_.Pos();
    if (chars::Is(*p, chars::kNameStartByte)) {
      const char* pStart = p++;
      while (chars::Is(*p, chars::kNameByte)) ++p;
      if (static_cast<unsigned char>(*p) < 0x80) {
        s_.SetPos(p);
        return {pStart, static_cast<std::size_t>(p - pStart)};
      }
    }
    return s_.Name(sWhat);
  }

  // A quoted value at the cursor; its text between the quotes.
  std::string_view AttributeValue() {
    const char cQuote = s_.Peek();
    if (cQuote != '"' && cQuote != '\'') {
      s_.Fail(kFaultAttributeValueStart, "AttValue: \" or ' expected");
    }
    const char* pStart = s_.Pos() + 1;
    const char* p = pStart;
    for (;;) {
      while (chars::Is(*p, chars::kAttrByte)) ++p;
      const char c = *p;
      if (c == cQuote && p < s_.End()) {
        s_.SetPos(p + 1);
        return {pStart, static_cast<std::size_t>(p - pStart)};
      }
      s_.SetPos(p);
      if (p >= s_.End()) {
        s_.FailAt(pStart - 1, kFaultAttributeValueEnd,
                  std::string("AttValue: the value is not closed: ") + cQuote + " expected");
      }
      if (c == '"' || c == '\'') {
        ++p;
        continue;
      }
      if (c == '<') s_.Fail(kFaultLtInAttribute, "Unescaped '<' not allowed in attributes values");
      if (c == '&') {
        Reference(true);
      } else if (static_cast<unsigned char>(c) >= 0x80) {
        s_.NextChar();
      } else {
        s_.Fail(kFaultInvalidChar, "Attribute value holds the control character " +
                                       XmlScan::Hex(static_cast<unsigned char>(c)));
      }
      p = s_.Pos();
    }
  }

  void EndTag() {
    const char* pTag = s_.Pos();
    s_.SetPos(pTag + 2);
    const std::string_view sName = ElementName("EndTag: invalid element name");
    s_.SkipSpaces();
    if (!s_.Take(">")) {
      s_.Fail(kFaultGtRequired, "EndTag: '>' expected after '</" + std::string(sName) + "'");
    }
    if (vOpen_.empty()) {
      s_.FailAt(pTag, kFaultTagMismatch,
                "Opening and ending tag mismatch: end tag '" + std::string(sName) +
                    "' closes no element");
    }
    const Open& tOpen = vOpen_.back();
    if (tOpen.sName != sName) {
      const TextPlace tPlace =
          PlaceOf(s_.Text(), static_cast<std::size_t>(tOpen.pTag - s_.Text().data()));
      s_.FailAt(pTag, kFaultTagMismatch,
                "Opening and ending tag mismatch: " + std::string(tOpen.sName) + " line " +
                    std::to_string(tPlace.lLine) + " and " + std::string(sName));
    }
    CloseElement();
  }

  void CloseElement() {
    vOpen_.pop_back();
    while (!vBindings_.empty() && vBindings_.back().lDepth > vOpen_.size()) vBindings_.pop_back();
  }

  // Namespace declarations of the element just opened, and the prefixes of its name and of its
  // attributes.
  void Namespaces(std::string_view sElement, const char* pTag) {
    const std::size_t lDepth = vOpen_.size();
    for (const Attribute& a : vAttributes_) {
      if (a.sName == "xmlns") {
        vBindings_.push_back({{}, a.sValue, lDepth});
        continue;
      }
      if (a.sName.substr(0, 6) != "xmlns:") continue;
      const std::string_view sPrefix = a.sName.substr(6);
      const std::string sWhat = std::string(a.sName);
      if (sPrefix.empty() || sPrefix.find(':') != std::string_view::npos) {
        s_.FailAt(a.pAt, kFaultQName, "Failed to parse QName '" + sWhat + "'");
      }
      if (sPrefix == "xmlns") {
        s_.FailAt(a.pAt, kFaultNamespace, "redefinition of the xmlns prefix is forbidden");
      }
      if (sPrefix == "xml" ? a.sValue != kXmlNamespace : a.sValue == kXmlNamespace) {
        s_.FailAt(a.pAt, kFaultNamespace,
                  sPrefix == "xml" ? "xml namespace prefix mapped to wrong URI"
                                   : "xml namespace URI mapped to wrong prefix");
      }
      if (a.sValue == kXmlnsNamespace) {
        s_.FailAt(a.pAt, kFaultNamespace, "reuse of the xmlns namespace name is forbidden");
      }
      if (a.sValue.empty()) {
        s_.FailAt(a.pAt, kFaultNamespace, sWhat + ": Empty XML namespace is not allowed");
      }
      vBindings_.push_back({sPrefix, a.sValue, lDepth});
    }
    Resolve(sElement, pTag + 1, "Namespace prefix %p on " + std::string(LocalPart(sElement)));
    for (std::size_t i = 0; i < vAttributes_.size(); ++i) {
      const Attribute& a = vAttributes_[i];
      if (a.sName == "xmlns" || a.sName.substr(0, 6) == "xmlns:") continue;
      const std::string_view sUri =
          Resolve(a.sName, a.pAt,
                  "Namespace prefix %p for " + std::string(LocalPart(a.sName)) + " on " +
                      std::string(sElement));
      if (sUri.empty()) continue;
      for (std::size_t k = 0; k < i; ++k) {
        const Attribute& b = vAttributes_[k];
        if (b.sName.find(':') == std::string_view::npos || b.sName.substr(0, 6) == "xmlns:") {
          continue;
        }
        if (LocalPart(b.sName) == LocalPart(a.sName) && Uri(Prefix(b.sName)) == sUri) {
          s_.FailAt(a.pAt, kFaultNamespacedAttributeRedefined,
                    "Namespaced Attribute " + std::string(LocalPart(a.sName)) + " in '" +
                        std::string(sUri) + "' redefined");
        }
      }
    }
  }

  static std::string_view Prefix(std::string_view sName) {
    return sName.substr(0, sName.find(':'));
  }
  static std::string_view LocalPart(std::string_view sName) {
    const std::size_t pos = sName.find(':');
    return pos == std::string_view::npos ? sName : sName.substr(pos + 1);
  }

  std::string_view Uri(std::string_view sPrefix) const {
    if (sPrefix == "xml") return kXmlNamespace;
    for (auto it = vBindings_.rbegin(); it != vBindings_.rend(); ++it) {
      if (it->sPrefix == sPrefix) return it->sUri;
    }
    return {};
  }

  // The namespace of a prefixed name (empty without a prefix); raises for a name that is no
  // qualified name or whose prefix is not declared.  sUndefined names the fault, "%p" standing
  // for the prefix.
  std::string_view Resolve(std::string_view sName, const char* pAt, std::string sUndefined) {
    const std::size_t pos = sName.find(':');
    if (pos == std::string_view::npos) return {};
    char32_t cLocal = 0;
    if (pos + 1 < sName.size()) {
      chars::DecodeUtf8(sName.data() + pos + 1, sName.data() + sName.size(), cLocal);
    }
    if (pos == 0 || sName.find(':', pos + 1) != std::string_view::npos ||
        !chars::IsNameStartChar(cLocal)) {
      s_.FailAt(pAt, kFaultQName, "Failed to parse QName '" + std::string(sName) + "'");
    }
    const std::string_view sPrefix = sName.substr(0, pos);
    const std::string_view sUri = Uri(sPrefix);
    if (sUri.empty()) {
      sUndefined.replace(sUndefined.find("%p"), 2, sPrefix);
      s_.FailAt(pAt, kFaultUndefinedPrefix, sUndefined + " is not defined");
    }
    return sUri;
  }

  XmlScan s_;
  const DtdTables& tDtd_;
  WellFormedFacts* pFacts_;  // none for a fragment
  std::vector<Open> vOpen_;
  std::vector<Attribute> vAttributes_;
  std::vector<Binding> vBindings_;
};

}  // namespace

WellFormedFacts CheckDocument(std::string_view sText) {
  WellFormedFacts tFacts;
  Checker(sText, XmlScan::kOwnPlaces, tFacts.tDtd, &tFacts).Document();
  return tFacts;
}

void CheckContentFragment(std::string_view sText, const DtdTables& tDtd, std::size_t lReportAt) {
  Checker(sText, lReportAt, tDtd, nullptr).Fragment();
}

}  // namespace kvo::xml
