// The SETUP argument of the command line: the setup XML text itself, or @FILE to read it.
#include "cli/SetupArgument.h"

#include <filesystem>
#include <fstream>
#include <sstream>

namespace kvo::cli {

bool ReadSetupArgument(std::string& sSetup) {
  if (sSetup.empty() || sSetup.front() != '@') return true;
  // The name is UTF-8; as a path it reaches the system in its own encoding (UTF-16 on Windows).
  const std::string sName = sSetup.substr(1);
  std::ifstream in(std::filesystem::path(std::u8string(sName.begin(), sName.end())),
                   std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  sSetup = text.str();
  return true;
}

}  // namespace kvo::cli
