// The characters of XML 1.0 over UTF-8 text: which code points a document may hold and names
// may use, byte classes for the scanning loops, and the decoding of one UTF-8 sequence.
#pragma once

#include <array>
#include <cstddef>
#include <cstdint>

#include "platform/Utf8Encode.h"

namespace kvo::xml::chars {

// Byte classes: a set bit says that the byte stands for itself in that place.
enum : std::uint8_t {
  kTextByte = 1,       // character data: not '<', '&', ']', no control character, ASCII
  kAttrByte = 2,       // attribute values: not '<', '&', quotes, no control character, ASCII
  kNameStartByte = 4,  // ASCII letters, '_' and ':'
  kNameByte = 8,       // those, digits, '-' and '.'
  kPlainByte = 16,     // any ASCII character a document may hold, but '-', '?', ']' and '>'
  kSpaceByte = 32,     // space, tab, line feed, carriage return
};

constexpr std::array<std::uint8_t, 256> MakeByteClasses() {
  std::array<std::uint8_t, 256> classes{};
  for (int b = 0; b < 128; ++b) {
    const bool bSpace = b == ' ' || b == '\t' || b == '\n' || b == '\r';
    if (b < 0x20 && !bSpace) continue;
    std::uint8_t c = 0;
    if (b != '<' && b != '&' && b != ']') c |= kTextByte;
    if (b != '<' && b != '&' && b != '"' && b != '\'') c |= kAttrByte;
    const bool bLetter = (b >= 'A' && b <= 'Z') || (b >= 'a' && b <= 'z');
    if (bLetter || b == '_' || b == ':') c |= kNameStartByte | kNameByte;
    if ((b >= '0' && b <= '9') || b == '-' || b == '.') c |= kNameByte;
    if (b != '-' && b != '?' && b != ']' && b != '>') c |= kPlainByte;
    if (bSpace) c |= kSpaceByte;
    classes[static_cast<std::size_t>(b)] = c;
  }
  return classes;
}

inline constexpr std::array<std::uint8_t, 256> kByteClasses = MakeByteClasses();

inline bool Is(char c, std::uint8_t kClass) {
  return (kByteClasses[static_cast<unsigned char>(c)] & kClass) != 0;
}

// The Char production: what a document may hold at all.
inline bool IsChar(char32_t c) {
  if (c < 0x20) return c == 0x9 || c == 0xA || c == 0xD;
  if (c <= 0xD7FF) return true;
  if (c < 0xE000) return false;
  if (c <= 0xFFFD) return true;
  return c >= 0x10000 && c <= 0x10FFFF;
}

bool IsNameStartChar(char32_t c);
bool IsNameChar(char32_t c);

// Decodes the UTF-8 sequence at p (p < end) into c; its length, or 0 when the bytes are no
// proper UTF-8 (a stray or missing continuation byte, an overlong form, a surrogate, a value
// beyond U+10FFFF, a sequence cut by the end).
inline std::size_t DecodeUtf8(const char* p, const char* end, char32_t& c) {
  const auto b0 = static_cast<unsigned char>(p[0]);
  if (b0 < 0x80) {
    c = b0;
    return 1;
  }
  const auto Cont = [&](std::ptrdiff_t i) {
    return p + i < end && (static_cast<unsigned char>(p[i]) & 0xC0) == 0x80;
  };
  const auto Bits = [&](std::ptrdiff_t i) {
    return static_cast<char32_t>(static_cast<unsigned char>(p[i]) & 0x3F);
  };
  if (b0 >= 0xC2 && b0 <= 0xDF) {
    if (!Cont(1)) return 0;
    c = (static_cast<char32_t>(b0 & 0x1F) << 6) | Bits(1);
    return 2;
  }
  if (b0 >= 0xE0 && b0 <= 0xEF) {
    if (!Cont(1) || !Cont(2)) return 0;
    c = (static_cast<char32_t>(b0 & 0x0F) << 12) | (Bits(1) << 6) | Bits(2);
    if (c < 0x800 || (c >= 0xD800 && c <= 0xDFFF)) return 0;
    return 3;
  }
  if (b0 >= 0xF0 && b0 <= 0xF4) {
    if (!Cont(1) || !Cont(2) || !Cont(3)) return 0;
    c = (static_cast<char32_t>(b0 & 0x07) << 18) | (Bits(1) << 12) | (Bits(2) << 6) | Bits(3);
    if (c < 0x10000 || c > 0x10FFFF) return 0;
    return 4;
  }
  return 0;
}

// Appends the UTF-8 form of c (a Char) to out.
using platform::AppendUtf8;

}  // namespace kvo::xml::chars
