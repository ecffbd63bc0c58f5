// How loading, parsing and whole exports scale with the size of an item structure.  Each
// benchmark runs at 1,000 and 10,000 items in one run, so the two figures compare directly:
// a ratio near 10 means linear time.
#include <benchmark/benchmark.h>
#include <kvoexportexcel/iclsExportExcel.h>
#include <malloc.h>
#include <stdlib.h>

#include <filesystem>
#include <fstream>
#include <map>

#include "SyntheticExport.h"
#include "config/RunState.h"
#include "config/modResources.h"
#include "entry/clsExportExcel.h"
#include "parse/clsXMLPars.h"

namespace {

namespace fs = std::filesystem;

const std::string kConfig = std::string(KVO_SOURCE_DIR) + "/examples/config.xml";
const std::string kSetup =
    "<s><SPACE_TYPE>STRUCTURE</SPACE_TYPE><OBJECT_TYPE>Item</OBJECT_TYPE></s>";

// A source file of lItems items in a folder of its own, written once per size.
const std::string& SourceFile(int lItems) {
  static std::map<int, std::string> files;
  auto it = files.find(lItems);
  if (it != files.end()) return it->second;
  fs::path dir = fs::temp_directory_path() / ("kvo-bench-" + std::to_string(lItems));
  fs::create_directories(dir);
  const std::string path = (dir / "structure.xml").string();
  std::ofstream(path) << kvo::bench::ItemStructure(lItems);
  return files.emplace(lItems, path).first->second;
}

// The run state an item export parses with: configuration, messages, labels.
void PrepareRun() {
  kvo::ResetRunState();
  kvo::clsExportExcel oRun;
  oRun.GetIniXML(kConfig);
  kvo::InitResources();
  oRun.FillExcellCap(kSetup);
  oRun.FillAttrLabels();
}

double HeapInUseMB() {
  return static_cast<double>(mallinfo2().uordblks) / (1024.0 * 1024.0);
}

void BM_LoadSource(benchmark::State& state) {
  const std::string& path = SourceFile(static_cast<int>(state.range(0)));
  for (auto _ : state) {
    kvo::xml::Document doc;
    benchmark::DoNotOptimize(doc.Load(path));
  }
  state.SetComplexityN(state.range(0));
  state.counters["source_MB"] = static_cast<double>(fs::file_size(path)) / (1024.0 * 1024.0);
}

void BM_ParseSource(benchmark::State& state) {
  const std::string& path = SourceFile(static_cast<int>(state.range(0)));
  PrepareRun();
  double heapMB = 0;
  for (auto _ : state) {
    kvo::clsXMLPars oParser;
    std::shared_ptr<kvo::xml::Document> doc;
    oParser.LoadCurrentXML(doc, path);
    kvo::clsExportExcel().ClearMainArray();
    const double before = HeapInUseMB();
    oParser.MainXStruct(doc);
    heapMB = HeapInUseMB() - before;
    benchmark::DoNotOptimize(kvo::Run().lMainUBound);
  }
  state.SetComplexityN(state.range(0));
  state.counters["model_MB"] = heapMB;
}

void BM_Export(benchmark::State& state) {
  const std::string& path = SourceFile(static_cast<int>(state.range(0)));
  ::setenv("APPDATA", fs::path(path).parent_path().c_str(), 1);
  for (auto _ : state) {
    kvo::ResetRunState();
    kvo::iclsExportExcel oExport;
    if (!oExport.ParseMain(path, kConfig, kSetup, ".xlsx")) state.SkipWithError("export failed");
  }
  state.SetComplexityN(state.range(0));
}

BENCHMARK(BM_LoadSource)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_ParseSource)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();
BENCHMARK(BM_Export)->Arg(1000)->Arg(10000)->Unit(benchmark::kMillisecond)->Complexity();

}  // namespace

BENCHMARK_MAIN();
