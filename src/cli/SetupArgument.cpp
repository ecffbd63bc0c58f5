// The SETUP argument of the command line: the setup XML text itself, or @FILE to read it.
#include "cli/SetupArgument.h"

#include <fstream>
#include <sstream>

namespace kvo::cli {

bool ReadSetupArgument(std::string& sSetup) {
  if (sSetup.empty() || sSetup.front() != '@') return true;
  std::ifstream in(sSetup.substr(1), std::ios::binary);
  if (!in) return false;
  std::ostringstream text;
  text << in.rdbuf();
  sSetup = text.str();
  return true;
}

}  // namespace kvo::cli
