// Directories the component works with, by key: the per-user application-data area (created on
// first use by copying the all-users "ORVELD" folder) with the component's own folder as the
// fall-back.  Every directory ends with the system's separator ("\\" on Windows, "/" elsewhere),
// and the folder rules use it throughout.
#pragma once

#include <string>

namespace kvo {

// The directory of a key such as "KVO_EXPORT_DIR"; the separator alone for an unknown key.  On
// failure raises RunError -2147220504 "could not find application data folder:" and the directory
// so far.
std::string GetEnvDir(const std::string& sKey);
// The per-user root ".../ORVELD/", resolved once per thread; empty while it cannot be resolved.
// Shows the message box of a failed profile copy (its text goes to the log where nobody could
// see a box).
std::string GetAppDataRoot();
// The component's folder followed by the separator.
std::string GetAppPath();
// The canonical path of an existing folder, else empty.
std::string myDir(const std::string& sFolder);
// Copies a folder with everything in it to sDest, overwriting files; true without error.
bool CopyDir(const std::string& sSource, const std::string& sDest);
// The folder that holds the loaded component library, without a trailing separator.
std::string ComponentFolder();

}  // namespace kvo
