#include "config/modEnvironment.h"

#include <dlfcn.h>
#include <kvoexportexcel/RunError.h>

#include <cstdlib>
#include <filesystem>
#include <iostream>

#include "config/RunState.h"

namespace kvo {

namespace fs = std::filesystem;

namespace {

constexpr const char* kProfileFolder = "ORVELD";

std::string EnvText(const char* sName) {
  const char* value = std::getenv(sName);
  return value != nullptr ? value : "";
}

std::string WithoutTrailingSlash(std::string s) {
  while (s.size() > 1 && s.back() == '/') s.pop_back();
  return s;
}

// The per-user application-data folder of this platform.
std::string UserAppDataFolder() {
  std::string s = EnvText("APPDATA");
  if (s.empty()) s = EnvText("XDG_DATA_HOME");
  if (s.empty() && !EnvText("HOME").empty()) s = EnvText("HOME") + "/.local/share";
  return WithoutTrailingSlash(s);
}

// The all-users application-data folder, used when "ALLUSERSPROFILE" is not set.
std::string AllUsersAppDataFolder() {
  std::string dirs = EnvText("XDG_DATA_DIRS");
  std::size_t start = 0;
  while (start <= dirs.size()) {
    std::size_t end = dirs.find(':', start);
    std::string entry = dirs.substr(start, end == std::string::npos ? end : end - start);
    if (!entry.empty()) return WithoutTrailingSlash(entry);
    if (end == std::string::npos) break;
    start = end + 1;
  }
  return "/usr/local/share";
}

std::string Trimmed(const std::string& s) {
  const auto first = s.find_first_not_of(' ');
  if (first == std::string::npos) return {};
  return s.substr(first, s.find_last_not_of(' ') - first + 1);
}

// Stands in for a modal message box: one line on standard error, then the run goes on.
void ShowMessage(const std::string& sText) {
  std::cerr << sText << std::endl;
}

}  // namespace

std::string ComponentFolder() {
  Dl_info info{};
  if (dladdr(reinterpret_cast<void*>(&ComponentFolder), &info) != 0 && info.dli_fname != nullptr) {
    std::error_code ec;
    fs::path lib = fs::weakly_canonical(fs::path(info.dli_fname), ec);
    if (ec) lib = fs::path(info.dli_fname);
    return WithoutTrailingSlash(lib.parent_path().string());
  }
  std::error_code ec;
  return WithoutTrailingSlash(fs::read_symlink("/proc/self/exe", ec).parent_path().string());
}

std::string GetAppPath() {
  return ComponentFolder() + "/";
}

std::string myDir(const std::string& sFolder) {
  try {
    if (sFolder.empty()) return {};
    std::error_code ec;
    if (!fs::is_directory(sFolder, ec) || ec) return {};
    fs::path canonical = fs::canonical(sFolder, ec);
    return ec ? std::string() : canonical.string();
  } catch (...) {
    return {};
  }
}

bool CopyDir(const std::string& sSource, const std::string& sDest) {
  std::error_code ec;
  fs::copy(sSource, sDest, fs::copy_options::recursive | fs::copy_options::overwrite_existing, ec);
  return !ec;
}

std::string GetAppDataRoot() {
  RunState& run = Run();
  if (!run.sAppDataRoot.empty()) return run.sAppDataRoot;

  const std::string sUser = UserAppDataFolder();
  std::string sLast =
      Trimmed(sUser.substr(sUser.rfind('/') == std::string::npos ? 0 : sUser.rfind('/') + 1));
  const std::string sSub = sLast.empty() ? "/Application Data/" : "/" + sLast + "/";
  std::string sTarget = sUser + "/" + kProfileFolder;

  bool bSuccess = true;
  if (myDir(sTarget).empty()) {
    const std::string sAllUsers = EnvText("ALLUSERSPROFILE");
    const std::string sSource = !sAllUsers.empty()
                                    ? WithoutTrailingSlash(sAllUsers) + sSub + kProfileFolder
                                    : AllUsersAppDataFolder() + "/" + kProfileFolder;
    if (!myDir(sSource).empty()) {
      bSuccess = CopyDir(sSource, sTarget);
      if (!bSuccess) ShowMessage("Unable to create user profile copy");
    } else {
      // Neither profile exists: a development layout next to the component, if there is one.
      sTarget = myDir(ComponentFolder() + "../../../Release");
    }
  }
  if (!bSuccess) return {};
  run.sAppDataRoot = sTarget + "/";
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
      sDir = EnvText("DRN_CLIENT_RESOURCE_HOME") + "/" + "config/download";
    } else if (sKey == "ADDINS_DIR") {
      sDir = sBase + "config/addins";
    } else if (sKey == "SETTINGS_DIR") {
      sDir = sBase + "config/settings";
    } else if (sKey == "REPORTS_DIR") {
      sDir = sBase + "config/reports";
    } else if (sKey == "CONNECTIONS_DIR") {
      sDir = sBase + "connections";
    } else if (sKey == "TEMP_DIR") {
      sDir = sBase + "temp";
    } else if (sKey == "HELP_DIR") {
      sDir = sBase + "help";
    } else if (sKey == "KVO_EXPORT_TEMP_DIR") {
      sDir = bHasRoot ? sBase + "Addin Modules/Stackwright/Export/Temp/"
                      : ComponentFolder() + "/Temp/";
    } else if (sKey == "KVO_EXPORT_DIR") {
      sDir = bHasRoot ? sBase + "Addin Modules/Stackwright/Export/" : ComponentFolder() + "/";
    } else if (sKey == "KVO_IMPORT_DIR") {
      sDir = bHasRoot ? sBase + "Addin Modules/Stackwright/Import/" : ComponentFolder() + "/";
    } else if (sKey == "KVO_HELP_DIR") {
      const std::string sFolder = ComponentFolder();
      sDir = sFolder.substr(0, sFolder.rfind('/') + 1) + "Help/";
    }
    if (sDir.empty() || sDir.back() != '/') sDir += "/";
    return sDir;
  } catch (...) {
    throw RunError(kErrAppDataFolder, "could not find application data folder:" + sDir);
  }
}

}  // namespace kvo
