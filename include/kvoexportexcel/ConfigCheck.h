// Checking a configuration document and a setup string before an export, the way the export
// reads them, without exporting: for hosts and the command line.
#pragma once

#include <kvoexportexcel/Api.h>

#include <string>
#include <vector>

namespace kvo {

// Reads the configuration document at sConfigPath with the run's own reader and rules and puts
// into sReport one line per finding, grouped by section, each saying what an export would do
// because of it ("  error: ..." when an export fails, "  warning: ..." when it works but
// differs from what the file suggests), then "NAME: N errors, M warnings" (or "NAME: no
// findings") with sShownName as NAME. Without pSetup every object kind in both space types is
// checked; with it (the setup XML text) only the export it names, and the setup's own problems.
// Writes no workbook and no log line. Returns false when an export would fail, true otherwise
// (warnings allowed). Never throws.
KVO_API bool CheckConfigurationFile(const std::string& sConfigPath, const std::string* pSetup,
                                    const std::string& sShownName, std::string& sReport);

// Why the setup XML text names no export under the configuration at sConfigPath, one sentence
// per problem: not XML (and, when it names an existing file, "did you mean @FILE?"), no or an
// unknown SPACE_TYPE, no OBJECT_TYPE or one that names none of the configured object element
// names (listed). Empty when the setup names an export. Never throws.
KVO_API std::vector<std::string> SetupStringProblems(const std::string& sSetup,
                                                     const std::string& sConfigPath);

}  // namespace kvo
