// Fuzz target: a configuration document through the configuration reader, the run's texts and
// names, and the caption and label tables; when they are complete, a small source of the chosen
// kind is exported with it and the workbook read back. The first byte chooses the export
// (object kind, structure or collection, .xlsx or .xls); the rest is the configuration.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ExportRun.h"
#include "common/SmallSources.h"
#include "config/RunState.h"
#include "config/modResources.h"

namespace {

const std::string& SmallSource(int kind) {
  static const std::string paths[] = {
      kvo::fuzz::WriteScratchFile("items.xml", kvo::fuzz::kSmallSources[0]),
      kvo::fuzz::WriteScratchFile("documents.xml", kvo::fuzz::kSmallSources[1]),
      kvo::fuzz::WriteScratchFile("folders.xml", kvo::fuzz::kSmallSources[2]),
  };
  return paths[kind];
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const int kind = choice % 3;
  const std::string& source = SmallSource(kind);
  const std::string config = kvo::fuzz::WriteScratchFile(
      "config.xml", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  // Nothing of an earlier input's configuration stays.
  kvo::ResetRunState();
  kvo::clsExportExcel run;
  if (run.GetIniXML(config)) {
    kvo::InitResources();
    kvo::fuzz::ExportAndCheck(run, kvo::fuzz::SetupText(kind, (choice / 3) % 2 != 0), source,
                              (choice / 6) % 2 != 0 ? ".xls" : ".xlsx");
  }
  kvo::Run().oIniData.reset();
  return 0;
}
