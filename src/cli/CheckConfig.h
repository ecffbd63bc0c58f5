// The command line's configuration check: kvo-export-excel --check-config CONFIG [SETUP].
#pragma once

namespace kvo::cli {

// Checks the configuration named by the arguments after --check-config (CONFIG, then SETUP as
// the text itself or @FILE), prints the findings on standard output and returns the exit status:
// 0 no export fails, 1 an export would fail, 2 usage error (explained on standard error).
int CheckConfigMain(int argc, char** argv);

}  // namespace kvo::cli
