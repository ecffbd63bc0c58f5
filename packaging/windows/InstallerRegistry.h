// The registry values of the server as an installer package writes them: split into those of one
// architecture (each architecture's package writes its own copy) and those both architectures
// share, which both packages write identically in one component so that uninstalling one leaves
// them to the other.
#pragma once

#include <vector>

#include "com/RegistrationEntries.h"

namespace kvo::packaging {

struct InstallerRegistry {
  std::vector<com::RegistryValue> vOwn;
  std::vector<com::RegistryValue> vShared;
};

// A value is this architecture's own when its key is one of tEntries.vOwnKeys or below one, or
// when the system keeps the key apart per architecture view (CLSID, Interface: measured so under
// Wine, as on 64-bit Windows). Everything else is shared. Raises std::bad_alloc.
InstallerRegistry SplitForInstaller(const com::RegistrationEntries& tEntries);

}  // namespace kvo::packaging
