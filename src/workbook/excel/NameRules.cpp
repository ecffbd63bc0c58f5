// The rules a defined name must follow.
#include "workbook/excel/NameRules.h"

#include "workbook/excel/store/Utf8.h"

#include <algorithm>
#include <cctype>

namespace kvo::excel {

namespace {

bool IsLetter(char c) {
  return (c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z');
}
bool IsDigit(char c) {
  return c >= '0' && c <= '9';
}
bool AllDigits(std::string_view s) {
  return std::all_of(s.begin(), s.end(), [](char c) { return IsDigit(c); });
}

// "A1" to "XFD1048576" and any other letters-then-digits text whose letters name a column.
bool LooksLikeA1(std::string_view name) {
  std::size_t letters = 0;
  while (letters < name.size() && IsLetter(name[letters])) ++letters;
  if (letters == 0 || letters > 3 || letters == name.size()) return false;
  if (!AllDigits(name.substr(letters))) return false;
  long col = 0;
  for (std::size_t i = 0; i < letters; ++i) {
    col = col * 26 + (std::toupper(static_cast<unsigned char>(name[i])) - 'A' + 1);
  }
  return col <= 16384;
}

// "R", "C", "R1", "C1", "RC", "R1C1", "RC2" and the like, in any letter case.
bool LooksLikeR1C1(std::string_view name) {
  std::size_t i = 0;
  bool any = false;
  const auto part = [&](char letter) {
    if (i < name.size() && std::toupper(static_cast<unsigned char>(name[i])) == letter) {
      any = true;
      for (++i; i < name.size() && IsDigit(name[i]);) ++i;
    }
  };
  part('R');
  part('C');
  return any && i == name.size();
}

}  // namespace

std::optional<std::string> NameRuleViolation(std::string_view name) {
  if (name.empty()) return "a name cannot be empty";
  if (name.size() > kMaxNameLength) return "a name has at most 255 characters";
  for (char c : name) {
    if (!IsLetter(c) && !IsDigit(c) && c != '_') {
      return "a name holds only letters, digits and \"_\"";
    }
  }
  if (IsDigit(name.front())) return "a name cannot start with a digit";
  if (LooksLikeA1(name) || LooksLikeR1C1(name)) return "a name cannot look like a cell reference";
  const std::string key = AsciiLower(name);
  if (key == "print_area" || key == "print_titles") return "the print settings use this name";
  return std::nullopt;
}

std::optional<std::string> SheetNameViolation(std::string_view name) {
  const std::string shown = "sheet name \"" + std::string(name.substr(0, 40)) + "\"";
  if (name.empty()) return "a sheet name cannot be empty";
  if (Utf16Length(name) > kMaxSheetNameLength) return shown + " is longer than 31 characters";
  if (name.find_first_of("[]:*?/\\") != name.npos) {
    return shown + " holds one of the characters []:*?/\\";
  }
  if (name.front() == '\'' || name.back() == '\'') {
    return shown + " begins or ends with an apostrophe";
  }
  return std::nullopt;
}

std::string AsciiLower(std::string_view text) {
  std::string key(text);
  for (char& c : key) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return key;
}

bool AsciiLowerEquals(std::string_view text, std::string_view lower) {
  if (text.size() != lower.size()) return false;
  for (std::size_t i = 0; i < text.size(); ++i) {
    const char c = text[i];
    if ((c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c) != lower[i]) return false;
  }
  return true;
}

}  // namespace kvo::excel
