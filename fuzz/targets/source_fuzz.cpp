// Fuzz target: a source document through the parser and the builder into a saved workbook,
// read back by our own checks. The first byte chooses the export (object kind, structure or
// collection, .xlsx or .xls); the rest is the source document. The bundled configuration is
// loaded once.
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "common/ExportRun.h"
#include "common/FuzzCheck.h"
#include "config/RunState.h"

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  kvo::clsExportExcel& run = kvo::fuzz::BundledController();
  if (size == 0) return 0;
  const std::uint8_t choice = data[0];
  const std::string source = kvo::fuzz::WriteScratchFile(
      "source.xml", std::string_view(reinterpret_cast<const char*>(data) + 1, size - 1));
  kvo::fuzz::ExportAndCheck(run, kvo::fuzz::SetupText(choice % 3, (choice / 3) % 2 != 0), source,
                            (choice / 6) % 2 != 0 ? ".xls" : ".xlsx");
  return 0;
}
