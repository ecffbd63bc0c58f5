// The SETUP argument of the command line: the setup XML text itself, or @FILE to read it.
#pragma once

#include <string>

namespace kvo::cli {

// Replaces an "@FILE" argument with the file's text. False (the argument unchanged) when the
// file cannot be read; any other argument is taken as it is.
bool ReadSetupArgument(std::string& sSetup);

}  // namespace kvo::cli
