// The rules a defined name must follow.
#pragma once

#include <optional>
#include <string>
#include <string_view>

namespace kvo::excel {

inline constexpr std::size_t kMaxNameLength = 255;

// Longest sheet-local name the file writer can store for a sheet of this name (the writer keeps
// "Sheet!Name" in a fixed buffer of 127 characters).
std::size_t MaxLocalNameLength(std::string_view sheetName);

// Why the name is not allowed, or nothing when it is: letters, digits and "_" only, not
// starting with a digit, not readable as a cell reference ("A1", "XFD1048576", "R1C1", "R",
// "C"), not a name the print settings use, at most 255 characters.
std::optional<std::string> NameRuleViolation(std::string_view name);

// Names compare regardless of letter case.
std::string NameKey(std::string_view name);

}  // namespace kvo::excel
