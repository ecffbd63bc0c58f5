// Checking a configuration document and a setup string before an export: the public doors to
// the configuration check.
#include <kvoexportexcel/ConfigCheck.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <optional>

#include "config/ConfigCheck.h"
#include "config/LabelTables.h"
#include "config/ResourceKeys.h"
#include "config/SetupCheck.h"

namespace kvo {

bool CheckConfigurationFile(const std::string& sConfigPath, const std::string* pSetup,
                            const std::string& sShownName, std::string& sReport) {
  try {
    const std::optional<std::string> sSetup =
        pSetup != nullptr ? std::optional<std::string>(*pSetup) : std::nullopt;
    const CheckReport tReport = CheckConfiguration(sConfigPath, sSetup);
    sReport = tReport.Format(sShownName);
    return !tReport.HasError();
  } catch (...) {
    sReport = sShownName + ": the check could not run\n";
    return false;
  }
}

std::vector<std::string> SetupStringProblems(const std::string& sSetup,
                                             const std::string& sConfigPath) {
  try {
    clsXMLIniData oConfig;
    std::string sErr;
    oConfig.LoadXDoc(sConfigPath, sErr);
    // The element names a setup's OBJECT_TYPE is compared with, read as the run reads them.
    std::vector<std::string> vNames;
    for (const lbl::KindKeys& tKind : lbl::kKindKeys) {
      for (const res::ResourceKey& tKey : res::kResourceKeys) {
        if (tKey.pValue == tKind.pObjectName)
          vNames.push_back(oConfig.GetLabelUsePath(tKey.sQuery));
      }
    }
    return SetupProblems(sSetup, vNames);
  } catch (...) {
    return {};
  }
}

}  // namespace kvo
