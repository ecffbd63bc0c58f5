// What this build of the library is made of: its version and the libraries it works with.
#include "workbook/BuildInfo.h"

#include <pugixml.hpp>

#include <string>
#include <utility>

#include "workbook/excel/xlsx/DeflateBackend.h"

namespace kvo {

namespace {

std::string PugixmlVersion() {
  // PUGIXML_VERSION is major * 1000 + minor * 10 + patch (1.13 is 1130).
  const int v = PUGIXML_VERSION;
  std::string text = "pugixml " + std::to_string(v / 1000) + "." + std::to_string(v % 1000 / 10);
  if (v % 10 != 0) text += "." + std::to_string(v % 10);
  return text;
}

std::string Compose() {
  const excel::DeflateBackend& deflate = excel::ConfiguredDeflateBackend();
  const std::pair<const char*, std::string> components[] = {
      {"deflate", std::string(deflate.name) + " " + deflate.version()},
      {"XML", PugixmlVersion()},
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
