// Checks a configuration document the way a run reads it, without exporting anything: every key,
// section, list and label the run reads, through the same reader and the same tables, and every
// element no export reads.  Each finding says what an export would do because of it: errors make
// an export fail, warnings change what it shows.  Writes no log line and no workbook.
#pragma once

#include <optional>
#include <string>

#include "config/CheckReport.h"

namespace kvo {

// Checks the configuration file sConfigPath for every export or, given a setup string (its XML
// text), for the one export it names, together with the setup string's own problems.
// Never raises.
CheckReport CheckConfiguration(const std::string& sConfigPath,
                               const std::optional<std::string>& sSetup);

}  // namespace kvo
