// The export benchmark. Without arguments it generates the item exports, measures every size in
// child processes of its own, prints the report and writes it to the results file:
//   kvo_bench [--results FILE]
// The child modes (also for profiling one export):
//   kvo_bench export SOURCE | phases SOURCE RUNS | concurrent RUNS SOURCE...
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>

#include "ChildModes.h"
#include "ItemExport.h"
#include "Measure.h"
#include "Report.h"

namespace fs = std::filesystem;
using namespace kvo::bench;

namespace {

struct SizePlan {
  int items;
  int runs;
};
constexpr SizePlan kSizes[] = {{1000, 5}, {10000, 3}};
constexpr int kConcurrentThreads = 4;
constexpr int kConcurrentRuns = 5;

int Usage() {
  std::cerr << "usage: kvo_bench [--results FILE]\n"
               "       kvo_bench export SOURCE | phases SOURCE RUNS | concurrent RUNS SOURCE...\n";
  return 2;
}

std::map<std::string, double> ParseFigures(const std::string& text) {
  std::map<std::string, double> figures;
  std::istringstream in(text);
  std::string key;
  double value;
  while (in >> key >> value) figures[key] = value;
  return figures;
}

// A child run that must succeed.
ChildRun Child(const std::vector<std::string>& argv) {
  ChildRun run = RunChild(argv);
  if (!run.ok) throw std::runtime_error("kvo_bench: " + argv[1] + " " + argv[2] + " failed");
  return run;
}

std::string Generate(const fs::path& dir, int items, ExportShape& shape) {
  fs::create_directories(dir);
  const std::string path = (dir / "items.xml").string();
  std::ofstream out(path, std::ios::binary);
  shape = WriteItemExport(out, items);
  return path;
}

// Exports log every problem; a generated export must export without one.
void RequireCleanLog(const fs::path& work) {
  for (const auto& entry : fs::recursive_directory_iterator(work)) {
    if (entry.path().filename() != "ExportExcel.log") continue;
    std::ifstream log(entry.path());
    std::cerr << "kvo_bench: the exports logged problems:\n" << log.rdbuf();
    throw std::runtime_error("kvo_bench: generated exports must not log");
  }
}

int RunBench(const std::string& resultsPath) {
  char pattern[] = "/tmp/kvo-bench-XXXXXX";
  if (::mkdtemp(pattern) == nullptr) return 1;
  const fs::path work = pattern;
  struct RemoveWork {
    fs::path dir;
    ~RemoveWork() {
      std::error_code ec;
      fs::remove_all(dir, ec);
    }
  } removeWork{work};
  // Log files land in the work folder, not in the user's profile.
  ::setenv("APPDATA", work.c_str(), 1);
  const std::string self = SelfPath();
  const std::string machine = MachineDescription();

  std::vector<SizeResult> sizes;
  std::string smallSource;
  for (const SizePlan& plan : kSizes) {
    SizeResult size;
    size.runs = plan.runs;
    const std::string source = Generate(work / std::to_string(plan.items), plan.items, size.shape);
    if (smallSource.empty()) smallSource = source;
    std::cerr << "kvo_bench: " << plan.items << " items, " << plan.runs << " runs\n";
    size.peakMiB = Child({self, "export", source}).peakMiB;
    const ChildRun lint = RunChild({"xmllint", "--noout", source});
    if (lint.ok) size.xmllintSeconds = lint.seconds;
    size.figures = ParseFigures(Child({self, "phases", source, std::to_string(plan.runs)}).output);
    sizes.push_back(std::move(size));
  }

  std::cerr << "kvo_bench: concurrent exports\n";
  std::vector<std::string> concurrent{self, "concurrent", std::to_string(kConcurrentRuns)};
  for (int t = 0; t < kConcurrentThreads; ++t) {
    const fs::path dir = work / ("thread-" + std::to_string(t));
    fs::create_directories(dir);
    fs::copy_file(smallSource, dir / "items.xml");
    concurrent.push_back((dir / "items.xml").string());
  }
  const auto figures = ParseFigures(Child(concurrent).output);
  const ConcurrentResult together{kConcurrentRuns, kConcurrentThreads, figures.at("one"),
                                  figures.at("together")};
  RequireCleanLog(work);

  const std::string report = RenderReport(machine, sizes, together);
  std::cout << report;
  if (!resultsPath.empty()) std::ofstream(resultsPath) << report;
  return 0;
}

}  // namespace

int main(int argc, char** argv) {
  try {
    const std::vector<std::string> args(argv + 1, argv + argc);
    const Workload work = BundledWorkload();
    if (args.size() == 2 && args[0] == "export") return ExportOnce(work, args[1]);
    if (args.size() == 3 && args[0] == "phases") {
      return TimePhases(work, args[1], std::max(1, std::atoi(args[2].c_str())));
    }
    if (args.size() >= 3 && args[0] == "concurrent") {
      return TimeConcurrent(work, {args.begin() + 2, args.end()},
                            std::max(1, std::atoi(args[1].c_str())));
    }
    if (args.empty()) return RunBench(std::string(KVO_SOURCE_DIR) + "/bench/results.md");
    if (args.size() == 2 && args[0] == "--results") return RunBench(args[1]);
    return Usage();
  } catch (const std::exception& e) {
    std::cerr << e.what() << '\n';
    return 1;
  }
}
