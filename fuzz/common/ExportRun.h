// One export as the run controller makes it, step by step, with the workbook it saves read back
// by our own checks: what the source, configuration and setup targets share.
#pragma once

#include <string>
#include <string_view>

#include "entry/clsExportExcel.h"

namespace kvo::fuzz {

// Path of a file in the examples folder of the source tree.
std::string ExamplePath(const std::string& name);
// A folder of this process in memory-backed storage (/dev/shm, else the temp folder), made on
// first use and removed at exit.
const std::string& ScratchDir();
// Writes bytes to a file of the scratch folder; returns its path. A failure aborts.
std::string WriteScratchFile(const std::string& name, std::string_view bytes);
// The run controller, with the bundled configuration loaded into this thread's run state on
// first use (a configuration that does not load aborts).
clsExportExcel& BundledController();
// A setup string of the bundled configuration's object kinds: 0 items, 1 documents, 2 folders.
std::string SetupText(int kind, bool collection);

// The caption and label tables from setup, the source file loaded and parsed, the workbook
// built and saved as the pipeline does. A saved workbook must read back whole (CheckXlsx or
// CheckXls); it is removed after. The run's tables are emptied at the end, as after a run.
void ExportAndCheck(clsExportExcel& run, const std::string& setup, const std::string& source,
                    const std::string& extension);

}  // namespace kvo::fuzz
