// The bench's figures as a Markdown report, ending in one line for scripts.
#pragma once

#include <map>
#include <string>
#include <vector>

#include "ItemExport.h"

namespace kvo::bench {

// Medians and counts of one size, keyed as the phase child prints them.
struct SizeResult {
  int runs = 0;
  ExportShape shape;
  std::map<std::string, double> figures;
  double peakMiB = 0;
  double xmllintSeconds = 0;  // 0: not measured

  double Figure(const std::string& key) const;
  // total / (libxml2 parse alone + direct write), of wall-clock or (suffix "_cpu") CPU medians
  double FloorRatio(const std::string& suffix = "") const;
};

struct ConcurrentResult {
  int runs = 0;
  int threads = 0;
  double one = 0;
  double together = 0;
};

// What the figures were measured on: processor, cores, memory, compiler, build, libraries, load.
std::string MachineDescription();

// The report; its last line reads
// "bench: floor-ratio=R scaling=S peak-mib=M" (largest size; scaling from smallest to largest).
std::string RenderReport(const std::string& machine, const std::vector<SizeResult>& sizes,
                         const ConcurrentResult& concurrent);

}  // namespace kvo::bench
