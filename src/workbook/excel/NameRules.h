// The rules a defined name and a sheet name must follow.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvo::excel {

inline constexpr std::size_t kMaxNameLength = 255;
inline constexpr std::size_t kMaxSheetNameLength = 31;

// Why the name is not allowed, or nothing when it is: letters, digits and "_" only, not
// starting with a digit, not readable as a cell reference ("A1", "XFD1048576", "R1C1", "R",
// "C"), not a name the print settings use, at most 255 characters.
std::optional<std::string> NameRuleViolation(std::string_view name);

// Why the sheet name is not allowed, or nothing when it is: 1 to 31 characters (UTF-16 units),
// none of []:*?/\, not beginning or ending with an apostrophe.
std::optional<std::string> SheetNameViolation(std::string_view name);

// The text with ASCII letters in lower case (whatever the locale); names compare by it,
// regardless of letter case.
std::string AsciiLower(std::string_view text);
// Whether AsciiLower(text) == lower, without making the copy.
bool AsciiLowerEquals(std::string_view text, std::string_view lower);

}  // namespace kvo::excel
