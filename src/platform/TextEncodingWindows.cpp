// The conversion to UTF-8 on Windows: the code page of the declared encoding through
// MultiByteToWideChar, UTF-16 and UTF-32 by the conversion itself.
#ifndef NOMINMAX
#define NOMINMAX
#endif
#include <windows.h>

#include <algorithm>
#include <cstdint>
#include <cstdio>

#include "platform/TextEncoding.h"
#include "platform/Utf8Encode.h"
#include "platform/WindowsCodePages.h"

namespace kvo::platform {

namespace {

std::string HexBytes(std::string_view bytes) {
  std::string s;
  for (std::size_t i = 0; i < bytes.size() && i < 4; ++i) {
    char sBuf[8];
    std::snprintf(sBuf, sizeof sBuf, " 0x%02X", static_cast<unsigned char>(bytes[i]));
    s += sBuf;
  }
  return s;
}

std::uint32_t Unit(std::string_view bytes, std::size_t at, std::size_t width, bool bBig) {
  std::uint32_t value = 0;
  for (std::size_t i = 0; i < width; ++i) {
    const auto byte = static_cast<unsigned char>(bytes[at + (bBig ? i : width - 1 - i)]);
    value = (value << 8) | byte;
  }
  return value;
}

// UTF-16 (width 2) or UTF-32 (width 4) in either byte order.
Utf8Conversion FromUnicode(std::string_view bytes, std::size_t width, bool bBig,
                           const std::string& encoding) {
  Utf8Conversion out;
  std::size_t at = 0;
  for (; at + width <= bytes.size(); at += width) {
    std::uint32_t c = Unit(bytes, at, width, bBig);
    std::size_t used = width;
    if (width == 2 && c >= 0xD800 && c < 0xDC00) {
      if (at + 4 > bytes.size()) break;
      const std::uint32_t low = Unit(bytes, at + 2, 2, bBig);
      if (low < 0xDC00 || low > 0xDFFF)
        c = 0xDC00;  // an unpaired high surrogate: refused below
      else
        c = 0x10000 + ((c - 0xD800) << 10) + (low - 0xDC00);
      used = 4;
    }
    if ((c >= 0xD800 && c <= 0xDFFF) || c > 0x10FFFF) {
      out.sError = "Bytes not valid in the encoding " + encoding + ":" + HexBytes(bytes.substr(at));
      return out;
    }
    AppendUtf8(out.sText, static_cast<char32_t>(c));
    at += used - width;
  }
  if (at < bytes.size()) {
    out.sError = "The document ends inside a character of the encoding " + encoding;
    return out;
  }
  out.bOk = true;
  return out;
}

// The text of bytes in the code page, with invalid characters refused where the system can tell
// them; false when the system refuses the bytes.
bool Decode(unsigned page, std::string_view bytes, std::wstring& text) {
  text.clear();
  if (bytes.empty()) return true;
  // The stateful and some multi-byte pages take no flags.
  const bool bFlags =
      page != 54936 && (page < 50220 || page > 50229) && page != 65000 && page != 42;
  const DWORD flags = bFlags ? MB_ERR_INVALID_CHARS : 0;
  const int size =
      ::MultiByteToWideChar(page, flags, bytes.data(), static_cast<int>(bytes.size()), nullptr, 0);
  if (size <= 0) return false;
  text.resize(static_cast<std::size_t>(size));
  if (::MultiByteToWideChar(page, flags, bytes.data(), static_cast<int>(bytes.size()), text.data(),
                            size) != size)
    return false;
  // The Windows pages give the bytes they leave undefined (0x81 of windows-1252) as C1 control
  // characters, which none of their defined bytes is: refused, as iconv refuses them.
  const bool bWindowsPage = page == 874 || (page >= 1250 && page <= 1258);
  return !bWindowsPage ||
         std::none_of(text.begin(), text.end(), [](wchar_t c) { return c >= 0x80 && c <= 0x9F; });
}

std::string Utf8(const std::wstring& text) {
  if (text.empty()) return {};
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()),
                                         nullptr, 0, nullptr, nullptr);
  std::string out(static_cast<std::size_t>(size > 0 ? size : 0), '\0');
  if (size > 0)
    ::WideCharToMultiByte(CP_UTF8, 0, text.data(), static_cast<int>(text.size()), out.data(), size,
                          nullptr, nullptr);
  return out;
}

// Where the system refused the bytes: the text before the first character it refuses, read one
// character at a time (one byte, or a lead byte and its trail byte).
Utf8Conversion Refused(unsigned page, std::string_view bytes, const std::string& encoding) {
  Utf8Conversion out;
  CPINFO info{};
  const bool bDoubleByte = ::GetCPInfo(page, &info) && info.MaxCharSize == 2;
  std::wstring piece;
  std::size_t at = 0;
  while (at < bytes.size()) {
    const std::size_t width =
        bDoubleByte && ::IsDBCSLeadByteEx(page, static_cast<BYTE>(bytes[at])) ? 2 : 1;
    if (at + width > bytes.size()) {
      out.sError = "The document ends inside a character of the encoding " + encoding;
      return out;
    }
    if (!Decode(page, bytes.substr(at, width), piece)) break;
    out.sText += Utf8(piece);
    at += width;
  }
  out.sError = "Bytes not valid in the encoding " + encoding + ":" + HexBytes(bytes.substr(at));
  return out;
}

}  // namespace

Utf8Conversion ToUtf8(std::string_view sBytes, const std::string& sEncoding) {
  const unsigned page = windows::CodePageOf(sEncoding);
  switch (page) {
    case windows::kUtf16Little:
    case windows::kUtf16Big:
      return FromUnicode(sBytes, 2, page == windows::kUtf16Big, sEncoding);
    case windows::kUtf32Little:
    case windows::kUtf32Big:
      return FromUnicode(sBytes, 4, page == windows::kUtf32Big, sEncoding);
    default:
      break;
  }
  Utf8Conversion out;
  if (page == 0 || !::IsValidCodePage(page)) {
    out.sError = "Unsupported encoding " + sEncoding;
    return out;
  }
  std::wstring text;
  if (!Decode(page, sBytes, text)) return Refused(page, sBytes, sEncoding);
  out.sText = Utf8(text);
  out.bOk = true;
  return out;
}

}  // namespace kvo::platform
