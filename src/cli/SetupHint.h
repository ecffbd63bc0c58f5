// Why an export would refuse a setup text, told in words a user can act on.  The export itself
// logs only that the setup is invalid; this looks at the setup and the configuration again.
#pragma once

#include <string>

namespace kvo {

// The first cause found, as one sentence without a line end:
//  - the setup is no XML text but names an existing file ("did you mean @FILE?");
//  - its SPACE_TYPE is neither STRUCTURE nor COLLECTION;
//  - its OBJECT_TYPE is none of the object element names the configuration at sConfigPath
//    gives (CUSTOM_OBJECTS: ITEM, DOC, FOLDER), which are listed.
// Empty when none of these causes is found, also when the configuration cannot be read.
// Never raises.
std::string SetupHint(const std::string& sSetup, const std::string& sConfigPath);

}  // namespace kvo
