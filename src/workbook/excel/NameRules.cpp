// The rules a defined name must follow.
#include "workbook/excel/NameRules.h"

#include <algorithm>
#include <cctype>

namespace kvo::excel {

namespace {

constexpr std::size_t kWriterNameBuffer = 127;

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

std::size_t MaxLocalNameLength(std::string_view sheetName) {
  const std::size_t prefix = sheetName.size() + 1;  // "Sheet1!"
  return std::min(kMaxNameLength, prefix < kWriterNameBuffer ? kWriterNameBuffer - prefix : 0);
}

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
  const std::string key = NameKey(name);
  if (key == "print_area" || key == "print_titles") return "the print settings use this name";
  return std::nullopt;
}

std::string NameKey(std::string_view name) {
  std::string key(name);
  std::transform(key.begin(), key.end(), key.begin(),
                 [](unsigned char c) { return static_cast<char>(std::tolower(c)); });
  return key;
}

}  // namespace kvo::excel
