// The command line's configuration check: kvo-export-excel --check-config CONFIG [SETUP].
#include "cli/CheckConfig.h"

#include <kvoexportexcel/ConfigCheck.h>

#include <iostream>
#include <string>

#include "cli/SetupArgument.h"

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

}  // namespace

int CheckConfigMain(int argc, char** argv) {
  if (argc < 1 || argc > 2) {
    std::cerr << kCheckUsage;
    return 2;
  }
  const std::string sConfig = argv[0];
  std::string sSetup;
  if (argc == 2) {
    sSetup = argv[1];
    if (!ReadSetupArgument(sSetup)) {
      std::cerr << "kvo-export-excel: cannot read the setup file " << argv[1] + 1 << "\n";
      return 2;
    }
  }
  std::string sReport;
  const bool bNoError =
      CheckConfigurationFile(sConfig, argc == 2 ? &sSetup : nullptr, sConfig, sReport);
  std::cout << sReport;
  return bNoError ? 0 : 1;
}

}  // namespace kvo::cli
