// What the bench's child processes do, one size each, so that every size gets a fresh heap and
// a peak memory of its own. Each prints "key value" lines on standard output and returns the
// process exit code.
#pragma once

#include <string>
#include <vector>

namespace kvo::bench {

// The configuration file and setup text of the bundled item structure export.
struct Workload {
  std::string config;
  std::string setup;
};
Workload BundledWorkload();

// One whole export and nothing else (peak memory, profiles).
int ExportOnce(const Workload& work, const std::string& source);

// `runs` times side by side: libxml2 alone, the export's reader alone, the whole export, the export
// phase by phase and the direct library write of the same sheet; prints the medians and the sheet's
// shape.
int TimePhases(const Workload& work, const std::string& source, int runs);

// `runs` times: one export on a thread of its own, then one export per source on as many
// threads at once; prints both medians.
int TimeConcurrent(const Workload& work, const std::vector<std::string>& sources, int runs);

}  // namespace kvo::bench
