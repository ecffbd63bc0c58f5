// What keeps a setup string from naming an export: the problems that end a run with the
// setup-string line, each as one sentence with a hint where one helps.
#pragma once

#include <string>
#include <vector>

namespace kvo {

// The problems of sSetup (the setup XML text) against the configured object element names
// vObjectNames (items, documents, folders): not XML (naming a file it might have meant as
// @FILE), no or an unknown SPACE_TYPE, no OBJECT_TYPE or one that names none of vObjectNames.
// Empty when the setup names an export.  Never raises.
std::vector<std::string> SetupProblems(const std::string& sSetup,
                                       const std::vector<std::string>& vObjectNames);

}  // namespace kvo
