// The Windows code page of an encoding name as XML declarations give it. Portable code, so that
// every system's tests check the table; TextEncodingWindows.cpp converts with it.
#pragma once

#include <string_view>

namespace kvo::platform::windows {

// Code pages the conversion handles itself (the system's conversion does not take them).
inline constexpr unsigned kUtf16Little = 1200;
inline constexpr unsigned kUtf16Big = 1201;
inline constexpr unsigned kUtf32Little = 12000;
inline constexpr unsigned kUtf32Big = 12001;

// The code page of the encoding name (letter case and the dashes and underscores of the name
// aside: "ISO-8859-1", "iso_8859-1", "Latin1", "windows-1252", "cp1252", "Shift_JIS"); 0 when
// the name is none of those Windows converts.
unsigned CodePageOf(std::string_view encodingName);

}  // namespace kvo::platform::windows
