#include "cli/SetupHint.h"

#include <kvoexportexcel/clsXMLIniData.h>

#include <filesystem>
#include <vector>

namespace kvo {

namespace {

constexpr const char* kObjectKeys[] = {"//CUSTOM_OBJECTS/ITEM", "//CUSTOM_OBJECTS/DOC",
                                       "//CUSTOM_OBJECTS/FOLDER"};

std::string Quoted(const std::string& sText) {
  return "\"" + sText + "\"";
}

std::string AsciiUpper(std::string sText) {
  for (char& c : sText) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return sText;
}

std::string FileHint(const std::string& sSetup) {
  std::error_code ec;
  if (sSetup.empty() || !std::filesystem::is_regular_file(sSetup, ec)) return {};
  return "SETUP is no XML text but names the file " + sSetup + "; did you mean @" + sSetup + "?";
}

std::string SpaceTypeHint(const std::string& sSpace) {
  if (sSpace == "STRUCTURE" || sSpace == "COLLECTION") return {};
  if (sSpace.empty()) return "SETUP gives no SPACE_TYPE; it must be STRUCTURE or COLLECTION";
  std::string sHint = "SPACE_TYPE " + Quoted(sSpace) + " is neither STRUCTURE nor COLLECTION";
  const std::string sUpper = AsciiUpper(sSpace);
  if (sUpper == "STRUCTURE" || sUpper == "COLLECTION") sHint += " (letter case counts)";
  return sHint;
}

std::string ObjectTypeHint(const std::string& sObject, const std::string& sConfigPath) {
  clsXMLIniData oConfig;
  std::string sErr;
  if (!oConfig.LoadXDoc(sConfigPath, sErr)) return {};
  std::string sNames;
  for (const char* sKey : kObjectKeys) {
    const std::string sName = oConfig.GetLabelUsePath(sKey);
    if (sName.empty()) continue;
    if (sName == sObject) return {};
    sNames += (sNames.empty() ? "" : ", ") + sName;
  }
  if (sNames.empty()) return {};
  if (sObject.empty()) return "SETUP gives no OBJECT_TYPE; the configured object types: " + sNames;
  return "OBJECT_TYPE " + Quoted(sObject) + " names none of the configured object types: " + sNames;
}

}  // namespace

std::string SetupHint(const std::string& sSetup, const std::string& sConfigPath) {
  try {
    clsXMLIniData oSetup;
    std::string sErr;
    if (!oSetup.LoadXString(sSetup, sErr)) return FileHint(sSetup);
    std::string sHint = SpaceTypeHint(oSetup.GetLabelUsePath("SPACE_TYPE"));
    if (sHint.empty()) sHint = ObjectTypeHint(oSetup.GetLabelUsePath("OBJECT_TYPE"), sConfigPath);
    return sHint;
  } catch (...) {
    return {};
  }
}

}  // namespace kvo
