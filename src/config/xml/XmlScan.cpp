#include "config/xml/XmlScan.h"

#include <cstdio>

namespace kvo::xml {

std::string XmlScan::Hex(char32_t c) {
  char sBuf[16];
  std::snprintf(sBuf, sizeof sBuf, "0x%X", static_cast<unsigned>(c));
  return sBuf;
}

std::string XmlScan::BytesAt(const char* p) const {
  std::string s = "bytes:";
  for (int i = 0; i < 4 && p + i < pEnd_; ++i) {
    char sBuf[8];
    std::snprintf(sBuf, sizeof sBuf, " 0x%02X", static_cast<unsigned char>(p[i]));
    s += sBuf;
  }
  return s;
}

char32_t XmlScan::NextChar() {
  char32_t c = 0;
  const std::size_t n = chars::DecodeUtf8(p_, pEnd_, c);
  if (n == 0) {
    Fail(kFaultInvalidChar, "Input is not proper UTF-8, indicate the encoding; " + BytesAt(p_));
  }
  if (!chars::IsChar(c)) Fail(kFaultInvalidChar, "Char " + Hex(c) + " out of allowed range");
  p_ += n;
  return c;
}

std::string_view XmlScan::Name(const char* sWhat) {
  const char* pStart = p_;
  bool bFirst = true;
  while (p_ < pEnd_) {
    if (chars::Is(*p_, bFirst ? chars::kNameStartByte : chars::kNameByte)) {
      ++p_;
    } else if (static_cast<unsigned char>(*p_) >= 0x80) {
      char32_t c = 0;
      const std::size_t n = chars::DecodeUtf8(p_, pEnd_, c);
      if (n == 0) NextChar();  // raises the UTF-8 fault
      if (!(bFirst ? chars::IsNameStartChar(c) : chars::IsNameChar(c))) break;
      p_ += n;
    } else {
      break;
    }
    bFirst = false;
  }
  if (p_ == pStart) Fail(kFaultName, sWhat);
  return {pStart, static_cast<std::size_t>(p_ - pStart)};
}

std::string_view XmlScan::Nmtoken(const char* sWhat) {
  const char* pStart = p_;
  while (p_ < pEnd_) {
    if (chars::Is(*p_, chars::kNameByte)) {
      ++p_;
      continue;
    }
    char32_t c = 0;
    const std::size_t n =
        static_cast<unsigned char>(*p_) >= 0x80 ? chars::DecodeUtf8(p_, pEnd_, c) : 0;
    if (n == 0 || !chars::IsNameChar(c)) break;
    p_ += n;
  }
  if (p_ == pStart) Fail(kFaultName, sWhat);
  return {pStart, static_cast<std::size_t>(p_ - pStart)};
}

char32_t XmlScan::CharRefValue() {
  const char* pStart = p_ - 2;
  const bool bHex = Take("x");
  std::uint32_t lValue = 0;
  bool bDigits = false, bTooLarge = false;
  for (;; ++p_) {
    const char c = Peek();
    std::uint32_t d;
    if (c >= '0' && c <= '9') {
      d = static_cast<std::uint32_t>(c - '0');
    } else if (bHex && c >= 'a' && c <= 'f') {
      d = static_cast<std::uint32_t>(c - 'a' + 10);
    } else if (bHex && c >= 'A' && c <= 'F') {
      d = static_cast<std::uint32_t>(c - 'A' + 10);
    } else {
      break;
    }
    bDigits = true;
    lValue = lValue * (bHex ? 16 : 10) + d;
    if (lValue > 0x10FFFF) {
      bTooLarge = true;
      lValue = 0x110000;
    }
  }
  if (!bDigits || Peek() != ';') {
    FailAt(pStart, kFaultCharRef,
           std::string("Character reference with ") +
               (bDigits ? "no ';' after its digits" : "no digits"));
  }
  ++p_;
  if (bTooLarge || !chars::IsChar(lValue)) {
    FailAt(pStart, kFaultInvalidChar,
           "Character reference to a character XML does not allow (" +
               (bTooLarge ? std::string("beyond 0x10FFFF") : Hex(lValue)) + ")");
  }
  return lValue;
}

std::string_view XmlScan::QuotedLiteral(const std::string& sWhat, bool bPublicId) {
  const char cQuote = Peek();
  if (cQuote != '"' && cQuote != '\'') Fail(kFaultLiteral, sWhat + ": \" or ' expected");
  const char* pStart = ++p_;
  while (p_ < pEnd_ && *p_ != cQuote) {
    if (bPublicId) {
      const char c = *p_;
      const bool bPubid = (c >= 'a' && c <= 'z') || (c >= 'A' && c <= 'Z') ||
                          (c >= '0' && c <= '9') || c == ' ' || c == '\r' || c == '\n' ||
                          std::string_view("-'()+,./:=?;!*#@$_%").find(c) != std::string_view::npos;
      if (!bPubid) Fail(kFaultLiteral, sWhat + ": character not allowed in a public identifier");
      ++p_;
    } else {
      NextChar();
    }
  }
  if (p_ >= pEnd_) FailAt(pStart - 1, kFaultLiteral, sWhat + ": the literal is not closed");
  return {pStart, static_cast<std::size_t>(p_++ - pStart)};
}

void XmlScan::Comment() {
  const char* pStart = p_;
  p_ += 4;
  for (;;) {
    while (chars::Is(*p_, chars::kPlainByte)) ++p_;
    const char c = *p_;
    if (p_ >= pEnd_)
      FailAt(pStart, kFaultCommentNotFinished, "Comment not terminated: '-->' expected");
    if (c == '-' && p_[1] == '-') {
      if (p_ + 2 < pEnd_ && p_[2] == '>') {
        p_ += 3;
        return;
      }
      Fail(kFaultDoubleHyphen, "Double hyphen within comment: a comment may not hold '--'");
    }
    if (c == '-' || c == '?' || c == ']' || c == '>') {
      ++p_;
    } else {
      NextChar();
    }
  }
}

void XmlScan::ProcessingInstruction() {
  const char* pStart = p_;
  p_ += 2;
  const std::string_view sTarget = Name("Processing instruction without a target name");
  if (sTarget.size() == 3 && (sTarget[0] | 0x20) == 'x' && (sTarget[1] | 0x20) == 'm' &&
      (sTarget[2] | 0x20) == 'l') {
    FailAt(pStart, kFaultReservedPiName,
           sTarget == "xml" ? "XML declaration allowed only at the start of the document"
                            : "Invalid processing instruction name '" + std::string(sTarget) +
                                  "': names like 'xml' are reserved");
  }
  if (Take("?>")) return;
  RequireSpace("the processing instruction's target '" + std::string(sTarget) + "'");
  for (;;) {
    while (chars::Is(*p_, chars::kPlainByte)) ++p_;
    if (p_ >= pEnd_) {
      FailAt(pStart, kFaultPiNotFinished, "Processing instruction not terminated: '?>' expected");
    }
    if (*p_ == '?' && p_ + 1 < pEnd_ && p_[1] == '>') {
      p_ += 2;
      return;
    }
    if (*p_ == '-' || *p_ == '?' || *p_ == ']' || *p_ == '>') {
      ++p_;
    } else {
      NextChar();
    }
  }
}

}  // namespace kvo::xml
