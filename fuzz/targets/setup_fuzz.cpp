// Fuzz target: a setup string through the caption table of the bundled configuration, and the
// workbook path its name gives, which must stay in the source's folder.
#include <cstddef>
#include <cstdint>
#include <filesystem>
#include <string>

#include "common/ExportRun.h"
#include "common/FuzzCheck.h"
#include "config/RunState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kvo::clsExportExcel& run = kvo::fuzz::BundledController();
  kvo::RunState& state = kvo::Run();
  const std::string setup(reinterpret_cast<const char*>(data), size);
  if (run.FillExcellCap(setup)) {
    const std::string name = state.vExlCaption.LastEntry() >= 1 ? state.vExlCaption(1, 1) : "";
    const std::string folder = kvo::fuzz::ScratchDir();
    const std::string path = kvo::clsExportExcel::OutputPath(folder + "/source.xml", ".xlsx", name);
    kvo::fuzz::Require(std::filesystem::path(path).parent_path() == folder,
                       "the workbook name leaves the source's folder");
  }
  state.vExlCaption.Erase();
  return 0;
}
