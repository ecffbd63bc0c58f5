// Text as the workbook stream stores it: UTF-16 code units, written one byte each when every
// unit is below 0x100 and two bytes each otherwise.
#pragma once

#include <cstddef>
#include <string>
#include <string_view>

#include "workbook/excel/xls/LittleEndian.h"

namespace kvo::excel {

// Characters (UTF-16 units) a cell's text holds.
inline constexpr std::size_t kXlsMaxCellUnits = 32767;

// The UTF-8 text as UTF-16, with ill-formed parts as U+FFFD, cut after maxUnits units (never
// between the two halves of a character beyond U+FFFF).
std::u16string ToUtf16(std::string_view utf8, std::size_t maxUnits = std::u16string::npos);
// The same into out, which keeps its room: no allocation once it is large enough.
void ToUtf16(std::string_view utf8, std::size_t maxUnits, std::u16string& out);

// True when every unit fits one byte, so that the text may be stored compressed.
bool IsCompressible(std::u16string_view text);

// None of these raises.

// The option byte (0 compressed, 1 two bytes per unit) followed by the units.
void AppendFlagsAndUnits(LittleEndian& out, std::u16string_view text);
// The units alone, one byte each when compressed, else two.
void AppendUnits(LittleEndian& out, std::u16string_view text, bool compressed);
// A string with a one-byte length: its first 255 units.
void AppendShortString(LittleEndian& out, std::u16string_view text);
// A string with a two-byte length: its first 65,535 units.
void AppendString(LittleEndian& out, std::u16string_view text);

}  // namespace kvo::excel
