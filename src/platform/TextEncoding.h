// Conversion of a document's bytes from the encoding it is written in to UTF-8, by the system
// (the C library's iconv, or Windows' code pages).
#pragma once

#include <string>
#include <string_view>

namespace kvo::platform {

struct Utf8Conversion {
  bool bOk = false;
  // The whole text; after a failure, the text of the bytes before the fault.
  std::string sText;
  // Why the conversion failed: an encoding the platform does not know, bytes that are not valid
  // in the encoding (named, in hexadecimal), or bytes that end inside a character.
  std::string sError;
};

// sBytes, written in sEncoding (a name as XML declarations give it, "windows-1252"), as UTF-8.
Utf8Conversion ToUtf8(std::string_view sBytes, const std::string& sEncoding);

}  // namespace kvo::platform
