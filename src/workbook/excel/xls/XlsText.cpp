// Text as the workbook stream stores it: UTF-16 code units, written one byte each when every
// unit is below 0x100 and two bytes each otherwise.
#include "workbook/excel/xls/XlsText.h"

#include <algorithm>

#include "workbook/excel/store/Utf8.h"

namespace kvo::excel {

std::u16string ToUtf16(std::string_view utf8, std::size_t maxUnits) {
  std::u16string out;
  ToUtf16(utf8, maxUnits, out);
  return out;
}

void ToUtf16(std::string_view utf8, std::size_t maxUnits, std::u16string& out) {
  out.clear();
  for (std::size_t pos = 0; pos < utf8.size();) {
    const auto byte = static_cast<unsigned char>(utf8[pos]);
    if (byte < 0x80) {  // the common case
      if (out.size() + 1 > maxUnits) break;
      out += static_cast<char16_t>(byte);
      ++pos;
      continue;
    }
    const Utf8Char c = DecodeUtf8(utf8, pos);
    pos += c.length;
    if (c.cp < 0x10000) {
      if (out.size() + 1 > maxUnits) break;
      out += static_cast<char16_t>(c.cp);
    } else {
      if (out.size() + 2 > maxUnits) break;
      const char32_t v = c.cp - 0x10000;
      out += static_cast<char16_t>(0xD800 + (v >> 10));
      out += static_cast<char16_t>(0xDC00 + (v & 0x3FF));
    }
  }
}

bool IsCompressible(std::u16string_view text) {
  return std::all_of(text.begin(), text.end(), [](char16_t u) { return u < 0x100; });
}

void AppendUnits(LittleEndian& out, std::u16string_view text, bool compressed) {
  std::uint8_t* at = out.Grow(text.size() * (compressed ? 1 : 2));
  for (char16_t u : text) {
    *at++ = static_cast<std::uint8_t>(u);
    if (!compressed) *at++ = static_cast<std::uint8_t>(u >> 8);
  }
}

void AppendFlagsAndUnits(LittleEndian& out, std::u16string_view text) {
  const bool compressed = IsCompressible(text);
  out.U8(compressed ? 0 : 1);
  AppendUnits(out, text, compressed);
}

void AppendShortString(LittleEndian& out, std::u16string_view text) {
  text = text.substr(0, 0xFF);
  out.U8(static_cast<std::uint8_t>(text.size()));
  AppendFlagsAndUnits(out, text);
}

void AppendString(LittleEndian& out, std::u16string_view text) {
  text = text.substr(0, 0xFFFF);
  out.U16(static_cast<std::uint16_t>(text.size()));
  AppendFlagsAndUnits(out, text);
}

}  // namespace kvo::excel
