// A cursor over UTF-8 text for the well-formedness check and the document type reader: the
// productions both need (white space, names, character references, quoted literals).  Every
// fault is raised as an XmlFault at the place found, or, for text that an entity stands for,
// at the reference that brought the text in.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "config/xml/XmlChars.h"
#include "config/xml/XmlFault.h"

namespace kvo::xml {

class XmlScan {
 public:
  static constexpr std::size_t kOwnPlaces = static_cast<std::size_t>(-1);

  // lReportAt: kOwnPlaces for a document's own text, else the offset every fault is given.
  explicit XmlScan(std::string_view sText, std::size_t lReportAt = kOwnPlaces)
      : pBegin_(sText.data()),
        p_(sText.data()),
        pEnd_(sText.data() + sText.size()),
        lReportAt_(lReportAt) {}

  const char* Pos() const { return p_; }
  void SetPos(const char* p) { p_ = p; }
  bool AtEnd() const { return p_ >= pEnd_; }
  const char* End() const { return pEnd_; }
  std::size_t Offset(const char* p) const {
    return lReportAt_ == kOwnPlaces ? static_cast<std::size_t>(p - pBegin_) : lReportAt_;
  }
  std::string_view Text() const { return {pBegin_, static_cast<std::size_t>(pEnd_ - pBegin_)}; }

  // The byte at the cursor, or 0 at the end.
  char Peek(std::ptrdiff_t i = 0) const { return p_ + i < pEnd_ ? p_[i] : '\0'; }
  bool LooksAt(std::string_view s) const {
    return static_cast<std::size_t>(pEnd_ - p_) >= s.size() && std::string_view(p_, s.size()) == s;
  }
  bool Take(std::string_view s) {
    if (!LooksAt(s)) return false;
    p_ += s.size();
    return true;
  }
  void Expect(std::string_view s, std::int32_t lCode, const std::string& sReason) {
    if (!Take(s)) Fail(lCode, sReason);
  }

  [[noreturn]] void Fail(std::int32_t lCode, const std::string& sReason) const {
    FailAt(p_, lCode, sReason);
  }
  [[noreturn]] void FailAt(const char* p, std::int32_t lCode, const std::string& sReason) const {
    throw XmlFault{lCode, sReason, Offset(p)};
  }

  // Skips white space; true when there was some.
  bool SkipSpaces() {
    const char* p = p_;
    while (p_ < pEnd_ && chars::Is(*p_, chars::kSpaceByte)) ++p_;
    return p_ != p;
  }
  void RequireSpace(const std::string& sAfter) {
    if (!SkipSpaces()) Fail(kFaultSpaceRequired, "Space required after " + sAfter);
  }

  // A Name at the cursor; fails with sWhat when there is none.
  std::string_view Name(const char* sWhat);
  // A Nmtoken (name characters only) at the cursor.
  std::string_view Nmtoken(const char* sWhat);
  // The character of a reference "&#...;" whose "&#" the cursor stands after.
  char32_t CharRefValue();
  // The code point at the cursor, which must be a Char; moves past it.
  char32_t NextChar();
  // A quoted literal (SystemLiteral or PubidLiteral); its text between the quotes.
  std::string_view QuotedLiteral(const std::string& sWhat, bool bPublicId);
  // A comment, the cursor on its "<!--"; moves past its "-->".
  void Comment();
  // A processing instruction other than the XML declaration, the cursor on its "<?"; moves
  // past its "?>".
  void ProcessingInstruction();

  // A fault's text for a code point ("0x1F").
  static std::string Hex(char32_t c);
  // The bytes at p, for a reason that names bytes that are no proper UTF-8.
  std::string BytesAt(const char* p) const;

 private:
  const char* pBegin_;
  const char* p_;
  const char* pEnd_;
  std::size_t lReportAt_;
};

}  // namespace kvo::xml
