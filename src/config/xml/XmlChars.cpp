#include "config/xml/XmlChars.h"

namespace kvo::xml::chars {

bool IsNameStartChar(char32_t c) {
  if (c < 0x80) return Is(static_cast<char>(c), kNameStartByte);
  return (c >= 0xC0 && c <= 0xD6) || (c >= 0xD8 && c <= 0xF6) || (c >= 0xF8 && c <= 0x2FF) ||
         (c >= 0x370 && c <= 0x37D) || (c >= 0x37F && c <= 0x1FFF) || c == 0x200C || c == 0x200D ||
         (c >= 0x2070 && c <= 0x218F) || (c >= 0x2C00 && c <= 0x2FEF) ||
         (c >= 0x3001 && c <= 0xD7FF) || (c >= 0xF900 && c <= 0xFDCF) ||
         (c >= 0xFDF0 && c <= 0xFFFD) || (c >= 0x10000 && c <= 0xEFFFF);
}

bool IsNameChar(char32_t c) {
  if (c < 0x80) return Is(static_cast<char>(c), kNameByte);
  return IsNameStartChar(c) || c == 0xB7 || (c >= 0x300 && c <= 0x36F) || c == 0x203F ||
         c == 0x2040;
}

}  // namespace kvo::xml::chars
