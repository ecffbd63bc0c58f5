// UTF-8 helpers: repairing broken text and counting characters.
#include "workbook/excel/store/Utf8.h"

#include "platform/Utf8Encode.h"

namespace kvo::excel {

Utf8Char DecodeUtf8(std::string_view s, std::size_t pos) {
  const auto byte = [&](std::size_t i) { return static_cast<unsigned char>(s[i]); };
  const unsigned char lead = byte(pos);
  if (lead < 0x80) return {lead, 1, true};

  std::size_t need;
  unsigned char lo = 0x80, hi = 0xBF;  // allowed range of the second byte
  char32_t cp;
  if (lead >= 0xC2 && lead <= 0xDF) {
    need = 2;
    cp = lead & 0x1F;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    need = 3;
    cp = lead & 0x0F;
    if (lead == 0xE0) lo = 0xA0;  // overlong
    if (lead == 0xED) hi = 0x9F;  // surrogates
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    need = 4;
    cp = lead & 0x07;
    if (lead == 0xF0) lo = 0x90;  // overlong
    if (lead == 0xF4) hi = 0x8F;  // beyond U+10FFFF
  } else {
    return {kReplacementChar, 1, false};
  }
  for (std::size_t k = 1; k < need; ++k) {
    const std::size_t i = pos + k;
    if (i >= s.size()) return {kReplacementChar, k, false};
    const unsigned char b = byte(i);
    const unsigned char min = k == 1 ? lo : 0x80;
    const unsigned char max = k == 1 ? hi : 0xBF;
    if (b < min || b > max) return {kReplacementChar, k, false};
    cp = (cp << 6) | (b & 0x3F);
  }
  return {cp, need, true};
}

void AppendUtf8(std::string& out, char32_t cp) {
  platform::AppendUtf8(out, cp);
}

std::string ValidUtf8(std::string_view s) {
  std::string out;
  out.reserve(s.size());
  for (std::size_t pos = 0; pos < s.size();) {
    const Utf8Char c = DecodeUtf8(s, pos);
    const bool keep = c.valid && c.cp != 0 && c.cp != 0xFFFE && c.cp != 0xFFFF;
    if (keep) {
      out.append(s.substr(pos, c.length));
    } else {
      AppendUtf8(out, kReplacementChar);
    }
    pos += c.length;
  }
  return out;
}

bool IsValidUtf8(std::string_view s) {
  for (std::size_t pos = 0; pos < s.size();) {
    const auto b = static_cast<unsigned char>(s[pos]);
    if (b != 0 && b < 0x80) {
      ++pos;
      continue;
    }
    const Utf8Char c = DecodeUtf8(s, pos);
    if (!c.valid || c.cp == 0 || c.cp == 0xFFFE || c.cp == 0xFFFF) return false;
    pos += c.length;
  }
  return true;
}

std::string FitUtf8(std::string_view s, std::size_t maxUnits, bool* cut) {
  std::string out;
  out.reserve(s.size());
  std::size_t units = 0;
  std::size_t pos = 0;
  while (pos < s.size() && units < maxUnits) {
    const unsigned char b = static_cast<unsigned char>(s[pos]);
    if (b >= 0x20 && b < 0x80) {  // the common case: printable ASCII
      out += static_cast<char>(b);
      ++pos;
      ++units;
      continue;
    }
    const Utf8Char c = DecodeUtf8(s, pos);
    const bool keep = c.valid && c.cp != 0 && c.cp != 0xFFFE && c.cp != 0xFFFF;
    const std::size_t width = keep && c.cp >= 0x10000 ? 2 : 1;
    if (units + width > maxUnits) break;  // the character's two halves would be split
    if (keep) {
      out.append(s.substr(pos, c.length));
    } else {
      AppendUtf8(out, kReplacementChar);
    }
    pos += c.length;
    units += width;
  }
  if (cut != nullptr) *cut = pos < s.size();
  return out;
}

std::size_t Utf8Length(std::string_view s) {
  std::size_t count = 0;
  for (std::size_t pos = 0; pos < s.size(); ++count) pos += DecodeUtf8(s, pos).length;
  return count;
}

std::size_t Utf16Length(std::string_view s) {
  std::size_t units = 0;
  for (std::size_t pos = 0; pos < s.size();) {
    const Utf8Char c = DecodeUtf8(s, pos);
    pos += c.length;
    units += c.cp < 0x10000 ? 1 : 2;
  }
  return units;
}

}  // namespace kvo::excel
