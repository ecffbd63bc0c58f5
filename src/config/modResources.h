// Message texts, source element names and source field names, copied once per run from the
// configuration into the run state.
#pragma once

namespace kvo {

// Fills the 43 run-wide strings from the run's configuration reader.  Without a usable
// "MESSAGES" element it logs "Resources was not initialized" and changes nothing.
void InitResources();

}  // namespace kvo
