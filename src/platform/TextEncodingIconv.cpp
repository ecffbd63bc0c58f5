// The conversion to UTF-8 with the C library's iconv.
#include "platform/TextEncoding.h"

#include <iconv.h>

#include <cerrno>
#include <cstdio>

namespace kvo::platform {

namespace {

std::string HexBytes(const char* p, std::size_t n) {
  std::string s;
  for (std::size_t i = 0; i < n && i < 4; ++i) {
    char sBuf[8];
    std::snprintf(sBuf, sizeof sBuf, " 0x%02X", static_cast<unsigned char>(p[i]));
    s += sBuf;
  }
  return s;
}

}  // namespace

Utf8Conversion ToUtf8(std::string_view sBytes, const std::string& sEncoding) {
  Utf8Conversion tOut;
  iconv_t cd = iconv_open("UTF-8", sEncoding.c_str());
  if (cd == reinterpret_cast<iconv_t>(-1)) {
    tOut.sError = "Unsupported encoding " + sEncoding;
    return tOut;
  }
  // Most texts grow little: one and a half times the input to start with, more when needed.
  tOut.sText.resize(sBytes.size() + sBytes.size() / 2 + 16);
  char* pIn = const_cast<char*>(sBytes.data());
  std::size_t lInLeft = sBytes.size();
  std::size_t lDone = 0;
  for (bool bFlushing = false;;) {
    char* pOut = tOut.sText.data() + lDone;
    std::size_t lOutLeft = tOut.sText.size() - lDone;
    // Once the input is used up, one call without input flushes what the conversion kept back.
    const std::size_t lResult = bFlushing ? iconv(cd, nullptr, nullptr, &pOut, &lOutLeft)
                                          : iconv(cd, &pIn, &lInLeft, &pOut, &lOutLeft);
    lDone = static_cast<std::size_t>(pOut - tOut.sText.data());
    if (lResult != static_cast<std::size_t>(-1)) {
      if (bFlushing) {
        tOut.bOk = true;
        break;
      }
      bFlushing = lInLeft == 0;
      continue;
    }
    if (errno == E2BIG) {
      tOut.sText.resize(tOut.sText.size() * 2);
      continue;
    }
    if (errno == EILSEQ) {
      tOut.sError = "Bytes not valid in the encoding " + sEncoding + ":" + HexBytes(pIn, lInLeft);
    } else if (errno == EINVAL) {
      tOut.sError = "The document ends inside a character of the encoding " + sEncoding;
    } else {
      tOut.sError = "Conversion from the encoding " + sEncoding + " failed";
    }
    break;
  }
  iconv_close(cd);
  tOut.sText.resize(lDone);
  return tOut;
}

}  // namespace kvo::platform
