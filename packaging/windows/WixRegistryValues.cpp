#include "WixRegistryValues.h"

#include "com/Text.h"

namespace kvo::packaging {

namespace {

// The text as an XML attribute value.
std::string Attribute(const std::wstring& sText) {
  std::string sOut;
  for (char c : com::Utf8Of(sText)) {
    switch (c) {
      case '&':
        sOut += "&amp;";
        break;
      case '<':
        sOut += "&lt;";
        break;
      case '>':
        sOut += "&gt;";
        break;
      case '"':
        sOut += "&quot;";
        break;
      default:
        sOut += c;
    }
  }
  return sOut;
}

}  // namespace

std::string WixRegistryValues(const std::vector<com::RegistryValue>& vValues, bool bKeyPath) {
  std::string sOut = "<?xml version=\"1.0\" encoding=\"utf-8\"?>\n<Include>\n";
  for (const com::RegistryValue& tValue : vValues) {
    sOut +=
        "  <RegistryValue Root=\"HKLM\" Key=\"Software\\Classes\\" + Attribute(tValue.sKey) + "\"";
    if (!tValue.sName.empty()) sOut += " Name=\"" + Attribute(tValue.sName) + "\"";
    sOut += " Type=\"string\" Value=\"" + Attribute(tValue.sValue) + "\"";
    if (bKeyPath && &tValue == &vValues.front()) sOut += " KeyPath=\"yes\"";
    sOut += "/>\n";
  }
  return sOut + "</Include>\n";
}

}  // namespace kvo::packaging
