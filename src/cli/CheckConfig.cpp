#include "cli/CheckConfig.h"

#include <fstream>
#include <iostream>
#include <optional>
#include <sstream>
#include <string>

#include "config/ConfigCheck.h"

namespace kvo::cli {

namespace {

constexpr const char* kCheckUsage =
    "Usage: kvo-export-excel --check-config CONFIG [SETUP]\n"
    "\n"
    "Reads the configuration document CONFIG the way an export does and prints, grouped by\n"
    "section, every problem with what an export would do because of it: errors make an export\n"
    "fail, warnings change what it shows.  Without SETUP every object kind in both space types\n"
    "is checked; with SETUP (the setup XML text, or @FILE) only the export it names, and the\n"
    "setup string itself.  Writes no workbook and no log line.\n"
    "\n"
    "Exit status: 0 no error (warnings allowed), 1 an export would fail, 2 usage error.\n";

bool ReadText(const std::string& sPath, std::string& sText) {
  std::ifstream in(sPath, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  sText = ss.str();
  return true;
}

}  // namespace

int CheckConfigMain(int argc, char** argv) {
  if (argc < 1 || argc > 2) {
    std::cerr << kCheckUsage;
    return 2;
  }
  const std::string sConfig = argv[0];
  std::optional<std::string> sSetup;
  if (argc == 2) {
    sSetup = argv[1];
    if (!sSetup->empty() && sSetup->front() == '@' && !ReadText(sSetup->substr(1), *sSetup)) {
      std::cerr << "kvo-export-excel: cannot read the setup file " << argv[1] + 1 << "\n";
      return 2;
    }
  }
  const CheckReport tReport = CheckConfiguration(sConfig, sSetup);
  std::cout << tReport.Format(sConfig);
  return tReport.HasError() ? 1 : 0;
}

}  // namespace kvo::cli
