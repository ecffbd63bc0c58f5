#include "config/SetupCheck.h"

#include <kvoexportexcel/clsXMLIniData.h>

#include <algorithm>

#include "config/LabelTables.h"
#include "platform/Platform.h"

namespace kvo {

namespace {

std::string Quoted(const std::string& s) {
  return "\"" + s + "\"";
}

// The reader's load error without the date in front of it.
std::string WithoutDate(const std::string& sErr) {
  const std::size_t lAt = sErr.find(" String Load ");
  return lAt == std::string::npos ? sErr : sErr.substr(lAt + 1);
}

std::string AsciiUpper(std::string sText) {
  for (char& c : sText) {
    if (c >= 'a' && c <= 'z') c = static_cast<char>(c - 'a' + 'A');
  }
  return sText;
}

std::string OneOf(const std::vector<std::string>& vNames) {
  std::string sOut;
  for (std::size_t i = 0; i < vNames.size(); ++i) {
    if (i > 0) sOut += i + 1 == vNames.size() ? " or " : ", ";
    sOut += Quoted(vNames[i]);
  }
  return sOut;
}

}  // namespace

std::vector<std::string> SetupProblems(const std::string& sSetup,
                                       const std::vector<std::string>& vObjectNames) {
  std::vector<std::string> vProblems;
  try {
    clsXMLIniData oSetup;
    std::string sErr;
    if (!oSetup.LoadXString(sSetup, sErr)) {
      std::string sProblem = "it is not XML: " + WithoutDate(sErr);
      if (!sSetup.empty() && platform::IsRegularFile(sSetup)) {
        sProblem += "; it names a file: did you mean @" + sSetup + "?";
      }
      return {sProblem};
    }
    const std::string sSpace = oSetup.GetLabelUsePath(lbl::kSpaceTypeKey);
    const std::string sObject = oSetup.GetLabelUsePath(lbl::kObjectTypeKey);
    if (sSpace.empty()) {
      vProblems.push_back(std::string("it gives no ") + lbl::kSpaceTypeKey);
    } else if (sSpace != lbl::kStructureSpace && sSpace != lbl::kCollectionSpace) {
      const std::string sUpper = AsciiUpper(sSpace);
      const bool bCaseOnly = sUpper == lbl::kStructureSpace || sUpper == lbl::kCollectionSpace;
      vProblems.push_back(std::string(lbl::kSpaceTypeKey) + " " + Quoted(sSpace) + " is neither " +
                          Quoted(lbl::kStructureSpace) + " nor " + Quoted(lbl::kCollectionSpace) +
                          (bCaseOnly ? " (letter case counts)" : ""));
    }
    if (sObject.empty()) {
      vProblems.push_back(std::string("it gives no ") + lbl::kObjectTypeKey);
    } else if (std::find(vObjectNames.begin(), vObjectNames.end(), sObject) == vObjectNames.end()) {
      std::vector<std::string> vConfigured;
      for (const std::string& sName : vObjectNames) {
        if (!sName.empty()) vConfigured.push_back(sName);
      }
      vProblems.push_back(std::string(lbl::kObjectTypeKey) + " " + Quoted(sObject) +
                          (vConfigured.empty()
                               ? " cannot match: the configuration names no object element"
                               : " names no configured object element; the configured ones are " +
                                     OneOf(vConfigured)));
    }
  } catch (...) {
    vProblems.push_back("it cannot be read");
  }
  return vProblems;
}

}  // namespace kvo
