// The rules Windows puts on paths and names, as pure functions of their text: the long-path
// prefix, the all-users folder derived from the per-user one, and the names Windows cannot
// hold. Portable code, so that every system's tests check them; PlatformWindows.cpp uses them.
#pragma once

#include <string>
#include <string_view>

namespace kvo::platform::windows {

// Paths of this many characters or more need the "\\?\" prefix for the file functions (the
// limit of 260 characters, with room for a folder's 8.3 file names).
inline constexpr std::size_t kLongPathLength = 248;

// The path the file functions take for an absolute path: unchanged while it is shorter than
// kLongPathLength characters; otherwise with "/" turned into "\" and the prefix "\\?\" before a
// drive path ("C:\..."), or "\\?\UNC\" in place of the leading "\\" of a network path
// ("\\server\share\..."). A path that has the prefix, or a relative one, stays unchanged (the
// caller makes it absolute first).
std::string ExtendedLengthPath(std::string_view absolutePath);

// The path without a "\\?\" or "\\?\UNC\" prefix, as the component shows and composes paths.
std::string WithoutExtendedPrefix(std::string_view path);

// The all-users application-data folder derived from the per-user one and the login name: both
// lower-cased (ASCII letters; the caller lower-cases others first), the characters after the
// first occurrence of the name removed up to the next "\" (a suffix such as ".DOMAIN" of the
// profile folder) or the end, and every occurrence of the name replaced by "All Users".
// "C:\Users\Ann.CORP\AppData\Roaming" with "ann" gives "c:\users\All Users\appdata\roaming". An
// empty name gives the lower-cased folder.
std::string AllUsersFolderOf(std::string_view userFolder, std::string_view loginName);

// Why Windows cannot hold a file of this name (the last part of a path, without folders):
// "character X" for one of < > : " | ? * or a control character, "reserved name NAME"
// for CON, PRN, AUX, NUL, COM1-COM9 or LPT1-LPT9 (also with an extension, in any case), "a name
// ending in a dot or a blank"; empty when it can.
std::string NameProblem(std::string_view name);

}  // namespace kvo::platform::windows
