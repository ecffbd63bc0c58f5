// Fuzz target: the string cutters and the block-name characters. The input is a flag byte, a
// separator (a length byte and its bytes) and the text.
#include <cstddef>
#include <cstdint>
#include <string>

#include "common/FuzzCheck.h"
#include "common/FuzzInput.h"
#include "config/StrPart.h"
#include "workbook/BldSupport.h"

namespace {

using kvo::fuzz::Require;

// What a cut at pos (npos: no separator) must give.
void CheckCut(const std::string& text, const std::string& sep, std::size_t pos, bool right,
              bool emptyIfMissing, const std::string& cut) {
  if (text.empty() || sep.empty()) return Require(cut == text, "empty text or separator not kept");
  if (pos == std::string::npos) {
    return Require(cut == (emptyIfMissing ? std::string() : text), "missing separator");
  }
  const std::string expected = right ? text.substr(pos + sep.size()) : text.substr(0, pos);
  Require(cut == expected, "cut not at the separator");
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kvo::fuzz::FuzzInput in(data, size);
  const std::uint8_t flags = in.Byte();
  const std::string sep(in.Take(in.Byte() % 8));
  const std::string text(in.Rest());
  const bool right = (flags & 1) != 0;
  const bool emptyIfMissing = (flags & 2) != 0;

  CheckCut(text, sep, text.find(sep), right, emptyIfMissing,
           kvo::StrPart(text, sep, right, emptyIfMissing));
  CheckCut(text, sep, text.rfind(sep), right, emptyIfMissing,
           kvo::StrPartRev(text, sep, right, emptyIfMissing));

  const std::string name = kvo::bld::GetValidName(text);
  for (char c : name) {
    Require((c >= 'A' && c <= 'Z') || (c >= 'a' && c <= 'z') || (c >= '0' && c <= '9') || c == '_',
            "a character a name cannot hold");
  }
  // "_" and at most seven digits per character.
  Require(name.size() <= 8 * text.size(), "name longer than its codes");
  return 0;
}
