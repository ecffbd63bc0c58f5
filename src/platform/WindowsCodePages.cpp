#include "platform/WindowsCodePages.h"

#include <string>

namespace kvo::platform::windows {

namespace {

// The name in capitals without "-", "_", "." or blanks: "ISO-8859-1" gives "ISO88591".
std::string Key(std::string_view name) {
  std::string key;
  for (const char c : name) {
    if (c == '-' || c == '_' || c == '.' || c == ' ') continue;
    key.push_back(c >= 'a' && c <= 'z' ? static_cast<char>(c - 'a' + 'A') : c);
  }
  return key;
}

struct Named {
  std::string_view key;
  unsigned codePage;
};

// The names of the encodings by their keys; numbered families (windows-NNNN, ISO-8859-N, IBMNNN)
// are read from the number below.
constexpr Named kNames[] = {
    {"UTF16", kUtf16Little},
    {"UTF16LE", kUtf16Little},
    {"UCS2", kUtf16Little},
    {"ISO10646UCS2", kUtf16Little},
    {"UNICODE", kUtf16Little},
    {"UTF16BE", kUtf16Big},
    {"UTF32", kUtf32Little},
    {"UTF32LE", kUtf32Little},
    {"UCS4", kUtf32Little},
    {"UTF32BE", kUtf32Big},
    {"UTF8", 65001},
    {"USASCII", 20127},
    {"ASCII", 20127},
    {"LATIN1", 28591},
    {"L1", 28591},
    {"LATIN2", 28592},
    {"LATIN9", 28605},
    {"KOI8R", 20866},
    {"KOI8U", 21866},
    {"SHIFTJIS", 932},
    {"SJIS", 932},
    {"WINDOWS31J", 932},
    {"EUCJP", 20932},
    {"ISO2022JP", 50220},
    {"GB2312", 936},
    {"GBK", 936},
    {"GB18030", 54936},
    {"BIG5", 950},
    {"EUCKR", 51949},
    {"KSC56011987", 949},
    {"MACINTOSH", 10000},
    {"MACROMAN", 10000},
    {"TIS620", 874},
    {"EBCDICCPUS", 37},
};

// The number after prefix in key ("CP1252" with "CP"); 0 when key is not prefix and digits.
unsigned NumberAfter(const std::string& key, std::string_view prefix) {
  if (key.size() <= prefix.size() || key.compare(0, prefix.size(), prefix) != 0) return 0;
  unsigned number = 0;
  for (std::size_t i = prefix.size(); i < key.size(); ++i) {
    if (key[i] < '0' || key[i] > '9' || number > 100000) return 0;
    number = number * 10 + static_cast<unsigned>(key[i] - '0');
  }
  return number;
}

// ISO-8859-N: code pages 28591 to 28599, 28603 and 28605.
unsigned IsoPage(unsigned part) {
  if (part >= 1 && part <= 9) return 28590 + part;
  return part == 13 || part == 15 ? 28590 + part : 0;
}

}  // namespace

unsigned CodePageOf(std::string_view encodingName) {
  const std::string key = Key(encodingName);
  for (const Named& named : kNames) {
    if (named.key == key) return named.codePage;
  }
  if (const unsigned part = NumberAfter(key, "ISO8859")) return IsoPage(part);
  if (const unsigned page = NumberAfter(key, "WINDOWS"); page >= 874 && page <= 1258) return page;
  for (std::string_view prefix : {"CP", "IBM"}) {
    if (const unsigned page = NumberAfter(key, prefix); page >= 37 && page <= 1258) return page;
  }
  return 0;
}

}  // namespace kvo::platform::windows
