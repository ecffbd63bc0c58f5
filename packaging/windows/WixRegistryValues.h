// Registry values as WiX source: one <RegistryValue> per value below HKLM\Software\Classes.
#pragma once

#include <string>
#include <vector>

#include "com/RegistrationEntries.h"

namespace kvo::packaging {

// A WiX include (<Include>...</Include>, UTF-8) of the values in their order; with bKeyPath the
// first value is the key path of its component. Raises std::bad_alloc.
std::string WixRegistryValues(const std::vector<com::RegistryValue>& vValues, bool bKeyPath);

}  // namespace kvo::packaging
