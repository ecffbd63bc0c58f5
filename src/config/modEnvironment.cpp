#include "config/modEnvironment.h"

#include <kvoexportexcel/RunError.h>

#include "config/Log.h"
#include "config/RunState.h"
#include "platform/Platform.h"

namespace kvo {

namespace {

constexpr const char* kProfileFolder = "ORVELD";
constexpr char kSep = platform::kSeparator;

std::string WithoutTrailingSeparator(std::string s) {
  while (s.size() > 1 && s.back() == kSep) s.pop_back();
  return s;
}

// A folder rule as the Parts write it ("Addin Modules\Stackwright\Export\"), in this
// system's separators.
std::string Rule(std::string_view path) {
  return platform::NativePath(path);
}

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// The message box of the profile copy; where nobody could see it, the log has its text.
void ShowMessage(const std::string& sText) {
  if (!platform::ShowMessageBox(sText, "", platform::MessageIcon::None)) {
    WriteLogLine(sText, Run().sLogPath);
  }
}

}  // namespace

std::string ComponentFolder() {
  return platform::ComponentFolder();
}

std::string GetAppPath() {
  return ComponentFolder() + kSep;
}

std::string myDir(const std::string& sFolder) {
  return platform::ExistingFolder(sFolder).value_or(std::string());
}

bool CopyDir(const std::string& sSource, const std::string& sDest) {
  return platform::CopyFolder(sSource, sDest);
}

std::string GetAppDataRoot() {
  RunState& run = Run();
  if (!run.sAppDataRoot.empty()) return run.sAppDataRoot;

  std::string sUser = WithoutTrailingSeparator(platform::Environment("APPDATA"));
  if (sUser.empty()) sUser = platform::UserDataFolder();
  const std::size_t lastSep = sUser.rfind(kSep);
  const std::string sLast = Trimmed(sUser.substr(lastSep == std::string::npos ? 0 : lastSep + 1));
  const std::string sSub = sLast.empty() ? Rule("\\Application Data\\") : kSep + sLast + kSep;
  std::string sTarget = sUser + kSep + kProfileFolder;

  bool bSuccess = true;
  if (myDir(sTarget).empty()) {
    const std::string sAllUsers = platform::Environment("ALLUSERSPROFILE");
    const std::string sSource = !sAllUsers.empty()
                                    ? WithoutTrailingSeparator(sAllUsers) + sSub + kProfileFolder
                                    : platform::AllUsersDataFolder() + kSep + kProfileFolder;
    if (!myDir(sSource).empty()) {
      bSuccess = CopyDir(sSource, sTarget);
      if (!bSuccess) ShowMessage("Unable to create user profile copy");
    } else {
      // Neither profile exists: a development layout next to the component, if there is one.
      sTarget = myDir(ComponentFolder() + Rule("..\\..\\..\\Release"));
    }
  }
  if (!bSuccess) return {};
  run.sAppDataRoot = sTarget + kSep;
  return run.sAppDataRoot;
}

std::string GetEnvDir(const std::string& sKey) {
  std::string sDir;
  try {
    const bool bAppBased = sKey == "RELEASE_DIR" || sKey == "HELP_DIR";
    const std::string sBase = bAppBased ? GetAppPath() : GetAppDataRoot();
    const bool bHasRoot = sBase.size() > 1;
    if (sKey == "APP_DATA_ROOT_DIR") {
      sDir = sBase;
    } else if (sKey == "RELEASE_DIR" || sKey == "APP_PATH") {
      sDir = GetAppPath();
    } else if (sKey == "CACHE_DIR") {
      sDir = sBase + "cache";
    } else if (sKey == "CONFIG_DIR") {
      sDir = sBase + "config";
    } else if (sKey == "DOWNLOAD_DIR") {
      sDir = platform::Environment("DRN_CLIENT_RESOURCE_HOME") + kSep + Rule("config\\download");
    } else if (sKey == "ADDINS_DIR") {
      sDir = sBase + Rule("config\\addins");
    } else if (sKey == "SETTINGS_DIR") {
      sDir = sBase + Rule("config\\settings");
    } else if (sKey == "REPORTS_DIR") {
      sDir = sBase + Rule("config\\reports");
    } else if (sKey == "CONNECTIONS_DIR") {
      sDir = sBase + "connections";
    } else if (sKey == "TEMP_DIR") {
      sDir = sBase + "temp";
    } else if (sKey == "HELP_DIR") {
      sDir = sBase + "help";
    } else if (sKey == "KVO_EXPORT_TEMP_DIR") {
      sDir = bHasRoot ? sBase + Rule("Addin Modules\\Stackwright\\Export\\Temp\\")
                      : ComponentFolder() + Rule("\\Temp\\");
    } else if (sKey == "KVO_EXPORT_DIR") {
      sDir = bHasRoot ? sBase + Rule("Addin Modules\\Stackwright\\Export\\")
                      : ComponentFolder() + kSep;
    } else if (sKey == "KVO_IMPORT_DIR") {
      sDir = bHasRoot ? sBase + Rule("Addin Modules\\Stackwright\\Import\\")
                      : ComponentFolder() + kSep;
    } else if (sKey == "KVO_HELP_DIR") {
      const std::string sFolder = ComponentFolder();
      sDir = sFolder.substr(0, sFolder.rfind(kSep) + 1) + Rule("Help\\");
    }
    if (sDir.empty() || sDir.back() != kSep) sDir += kSep;
    return sDir;
  } catch (...) {
    throw RunError(kErrAppDataFolder, "could not find application data folder:" + sDir);
  }
}

}  // namespace kvo
