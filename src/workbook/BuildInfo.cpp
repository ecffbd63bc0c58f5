// What this build of the library is made of: its version and the libraries it works with.
#include "workbook/BuildInfo.h"

#include <libxml/xmlversion.h>

#include <string>
#include <utility>

#include "workbook/excel/xlsx/DeflateBackend.h"

namespace kvo {

namespace {

std::string Compose() {
  const excel::DeflateBackend& deflate = excel::ConfiguredDeflateBackend();
  const std::pair<const char*, std::string> components[] = {
      {"deflate", std::string(deflate.name) + " " + deflate.version()},
      {"XML", "libxml2 " LIBXML_DOTTED_VERSION},
  };
  std::string text = KVO_VERSION " (";
  for (const auto& [component, library] : components) {
    if (text.back() != '(') text += "; ";
    text += std::string(component) + ": " + library;
  }
  return text + ")";
}

}  // namespace

const char* BuildInfo() noexcept {
  try {
    static const std::string text = Compose();
    return text.c_str();
  } catch (...) {
    return KVO_VERSION;
  }
}

}  // namespace kvo
