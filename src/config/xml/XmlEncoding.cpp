#include "config/xml/XmlEncoding.h"

#include <algorithm>
#include <cctype>
#include <string_view>

#include "config/xml/ToUtf8.h"

namespace kvo::xml {

namespace {

bool StartsWith(const std::string& s, std::string_view sPrefix) {
  return s.size() >= sPrefix.size() && std::string_view(s).substr(0, sPrefix.size()) == sPrefix;
}

std::string Upper(std::string s) {
  std::transform(s.begin(), s.end(), s.begin(),
                 [](unsigned char c) { return static_cast<char>(std::toupper(c)); });
  return s;
}

bool IsUtf8Name(const std::string& sName) {
  const std::string s = Upper(sName);
  return s == "UTF-8" || s == "UTF8";
}

bool IsSixteenBitName(const std::string& sName) {
  const std::string s = Upper(sName);
  return s == "UTF-16" || s == "UTF16" || s == "UTF-16LE" || s == "UTF-16BE" || s == "UCS-2" ||
         s == "UCS2" || s == "ISO-10646-UCS-2" || s == "UNICODE";
}

bool IsEncodingName(const std::string& s) {
  if (s.empty() || !std::isalpha(static_cast<unsigned char>(s[0]))) return false;
  return std::all_of(s.begin(), s.end(), [](unsigned char c) {
    return std::isalnum(c) || c == '.' || c == '_' || c == '-';
  });
}

// The declaration of a 16-bit document: the low bytes of its first units up to "?>".
std::string SixteenBitDeclaration(const std::string& sBytes, std::size_t lStart, bool bLittle) {
  std::string s;
  for (std::size_t i = lStart; i + 1 < sBytes.size() && s.size() < 512; i += 2) {
    const unsigned char lo = static_cast<unsigned char>(sBytes[bLittle ? i : i + 1]);
    const unsigned char hi = static_cast<unsigned char>(sBytes[bLittle ? i + 1 : i]);
    if (hi != 0) break;
    s.push_back(static_cast<char>(lo));
    if (s.size() >= 2 && s.compare(s.size() - 2, 2, "?>") == 0) break;
  }
  return s;
}

DecodedDocument Converted(const std::string& sBytes, std::size_t lStart,
                          const std::string& sEncoding) {
  Utf8Conversion tConv = ToUtf8(std::string_view(sBytes).substr(lStart), sEncoding);
  DecodedDocument tOut{std::move(tConv.sText), std::nullopt};
  if (!tConv.bOk) {
    const bool bUnknown = StartsWith(tConv.sError, "Unsupported");
    tOut.oFault = XmlFault{bUnknown ? kFaultUnsupportedEncoding : kFaultInvalidChar, tConv.sError,
                           tOut.sText.size()};
  }
  return tOut;
}

}  // namespace

std::string DeclaredEncoding(const std::string& sDeclaration) {
  if (!StartsWith(sDeclaration, "<?xml") || sDeclaration.size() < 6 ||
      std::string_view(" \t\r\n").find(sDeclaration[5]) == std::string_view::npos) {
    return {};
  }
  const std::size_t lEnd = sDeclaration.find("?>");
  const std::string_view s = std::string_view(sDeclaration).substr(0, lEnd);
  std::size_t pos = s.find("encoding");
  if (pos == std::string_view::npos) return {};
  pos = s.find_first_not_of(" \t\r\n", pos + 8);
  if (pos == std::string_view::npos || s[pos] != '=') return {};
  pos = s.find_first_not_of(" \t\r\n", pos + 1);
  if (pos == std::string_view::npos || (s[pos] != '"' && s[pos] != '\'')) return {};
  const std::size_t lClose = s.find(s[pos], pos + 1);
  if (lClose == std::string_view::npos) return {};
  return std::string(s.substr(pos + 1, lClose - pos - 1));
}

std::optional<XmlFault> CheckDeclaredEncoding(const std::string& sText) {
  const std::string sNamed =
      DeclaredEncoding(sText.substr(0, std::min<std::size_t>(sText.size(), 512)));
  if (sNamed.empty() || IsUtf8Name(sNamed)) return std::nullopt;
  if (!IsEncodingName(sNamed)) {
    return XmlFault{kFaultEncodingName, "Invalid XML encoding name '" + sNamed + "'", 0};
  }
  const Utf8Conversion tTry = ToUtf8({}, sNamed);
  if (!tTry.bOk) return XmlFault{kFaultUnsupportedEncoding, tTry.sError, 0};
  return std::nullopt;
}

DecodedDocument DecodeDocument(std::string sBytes) {
  const auto Byte = [&](std::size_t i) {
    return i < sBytes.size() ? static_cast<unsigned char>(sBytes[i]) : 0x100u;
  };
  if (Byte(0) == 0xEF && Byte(1) == 0xBB && Byte(2) == 0xBF) {
    sBytes.erase(0, 3);
    return {std::move(sBytes), std::nullopt};
  }
  const bool bMarkLittle = Byte(0) == 0xFF && Byte(1) == 0xFE;
  const bool bMarkBig = Byte(0) == 0xFE && Byte(1) == 0xFF;
  if (bMarkLittle || bMarkBig) return Converted(sBytes, 2, bMarkLittle ? "UTF-16LE" : "UTF-16BE");
  const bool bLittle = Byte(0) == '<' && Byte(1) == 0 && Byte(2) == '?' && Byte(3) == 0;
  const bool bBig = Byte(0) == 0 && Byte(1) == '<' && Byte(2) == 0 && Byte(3) == '?';
  if (bLittle || bBig) {
    // A declaration naming one byte order wins over the first bytes only when they agree.
    const std::string sNamed = Upper(DeclaredEncoding(SixteenBitDeclaration(sBytes, 0, bLittle)));
    const bool bNamedOther = (bLittle && sNamed == "UTF-16BE") || (bBig && sNamed == "UTF-16LE");
    if (bNamedOther) {
      return {{},
              XmlFault{kFaultEncodingMismatch,
                       "Document labelled " + sNamed + " but written in the other byte order", 0}};
    }
    return Converted(sBytes, 0, bLittle ? "UTF-16LE" : "UTF-16BE");
  }
  if (Byte(0) == 0x4C && Byte(1) == 0x6F && Byte(2) == 0xA7 && Byte(3) == 0x94) {
    // EBCDIC: the declaration, read in the common code page, names the page itself.
    const std::size_t lHead = std::min<std::size_t>(sBytes.size(), 200);
    const Utf8Conversion tHead = ToUtf8(std::string_view(sBytes).substr(0, lHead), "IBM037");
    const std::string sNamed = DeclaredEncoding(tHead.sText);
    return Converted(sBytes, 0, sNamed.empty() ? "IBM037" : sNamed);
  }
  const std::string sNamed =
      DeclaredEncoding(sBytes.substr(0, std::min<std::size_t>(sBytes.size(), 512)));
  if (sNamed.empty() || IsUtf8Name(sNamed)) return {std::move(sBytes), std::nullopt};
  if (!IsEncodingName(sNamed)) {
    return {{}, XmlFault{kFaultEncodingName, "Invalid XML encoding name '" + sNamed + "'", 0}};
  }
  if (IsSixteenBitName(sNamed)) {
    return {{},
            XmlFault{kFaultEncodingMismatch,
                     "Document labelled " + sNamed + " but has UTF-8 content", 0}};
  }
  return Converted(sBytes, 0, sNamed);
}

}  // namespace kvo::xml
