// UTF-8 helpers: repairing broken text and counting characters.
#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace kvo::excel {

inline constexpr char32_t kReplacementChar = 0xFFFD;

// One decoded character: its code point and how many bytes it took. A byte that does not start
// a well-formed sequence decodes as U+FFFD of length 1 or more (the maximal ill-formed part).
struct Utf8Char {
  char32_t cp;
  std::size_t length;
  bool valid;
};
Utf8Char DecodeUtf8(std::string_view s, std::size_t pos);

// The text with every ill-formed sequence, NUL, U+FFFE and U+FFFF replaced by U+FFFD, so that
// it can stand in an XML document.
std::string ValidUtf8(std::string_view s);
// True when ValidUtf8 gives the text back as it is. Raises nothing.
bool IsValidUtf8(std::string_view s);

// ValidUtf8 of the text, cut after maxUnits UTF-16 units (a character beyond U+FFFF counts two
// and is never split); *cut (when given) tells whether anything was cut.
std::string FitUtf8(std::string_view s, std::size_t maxUnits, bool* cut = nullptr);

// Number of characters (code points; an ill-formed part counts as one).
std::size_t Utf8Length(std::string_view s);

// Number of UTF-16 units the text takes (two for a character beyond U+FFFF; an ill-formed part
// counts as one).
std::size_t Utf16Length(std::string_view s);

void AppendUtf8(std::string& out, char32_t cp);

}  // namespace kvo::excel
