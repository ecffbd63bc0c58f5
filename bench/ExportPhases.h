// An export run taken apart into the phases the bench times: the whole public call, and load
// with walk, build and save one by one through the component's own classes. This is the only
// part of the bench that reaches inside the component.
#pragma once

#include <memory>
#include <string>

#include "DirectSheet.h"

namespace kvo::bench {

// The whole export through the public entry point; true when the workbook was saved.
bool ExportWhole(const std::string& source, const std::string& config, const std::string& setup);

// One run, phase by phase, on the calling thread. Each phase raises std::runtime_error when the
// component reports a failure.
class PhasedExport {
 public:
  PhasedExport(std::string config, std::string setup);
  ~PhasedExport();
  PhasedExport(const PhasedExport&) = delete;
  PhasedExport& operator=(const PhasedExport&) = delete;

  // Configuration, resources, caption and label tables (what precedes loading).
  void Prepare();
  // Loads the source and walks it into the export data model; the document is freed.
  void LoadAndWalk(const std::string& source);
  // Creates the workbook next to the source and fills the sheet.
  void Build(const std::string& source);
  // The filled sheet as plain data, as its file writer would be handed it.
  DirectSheet Materialise() const;
  // Writes the filled sheet as an Excel 97-2003 workbook (.xls) at path, resolved as a save
  // resolves it; false when the sheet has more rows than that format holds.
  bool SaveAsXls(const std::string& path) const;
  // Saves and closes the workbook, then clears the run's tables.
  void Save();

 private:
  struct State;
  std::string config_;
  std::string setup_;
  std::unique_ptr<State> state_;
};

}  // namespace kvo::bench
