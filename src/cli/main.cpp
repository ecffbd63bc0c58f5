// Command-line host of the shared library: runs exactly one export and tells where the workbook
// went, what the run logged, and why it failed.
#include <kvoexportexcel/ConfigCheck.h>
#include <kvoexportexcel/iclsExportExcel.h>
#include <kvoexportexcel/kvo_export_excel.h>

#include <iostream>
#include <string>
#include <vector>

#include "cli/CheckConfig.h"
#include "cli/CliMain.h"
#include "cli/SetupArgument.h"

namespace {

constexpr const char* kUsage =
    "Usage: kvo-export-excel SOURCE CONFIG SETUP [EXTENSION]\n"
    "       kvo-export-excel --check-config CONFIG [SETUP]\n"
    "       kvo-export-excel --help | --version\n"
    "\n"
    "Exports the product-data XML document SOURCE into a spreadsheet workbook next to it.\n"
    "\n"
    "  SOURCE     path of the exported XML document\n"
    "  CONFIG     path of the configuration XML document (labels, element names, messages)\n"
    "  SETUP      the setup XML text itself, or @FILE to read it from FILE; it names the\n"
    "             SPACE_TYPE (STRUCTURE or COLLECTION), the OBJECT_TYPE and the caption values\n"
    "  EXTENSION  extension of the workbook including the dot (default: .xls); .xls gives an\n"
    "             Excel 97-2003 workbook, .xlsx and every other one Office Open XML\n"
    "\n"
    "Arguments after -- are never taken as options.  The workbook is written in SOURCE's folder,\n"
    "under SOURCE's base name or under the name the second caption value gives.  Problems are\n"
    "written to ExportExcel.log in the export folder.\n"
    "\n"
    "--check-config reads CONFIG (and SETUP) the way an export does and prints what an export\n"
    "would do with it, without exporting (see --check-config alone).\n"
    "\n"
    "Exit status: 0 workbook written (its path is printed on standard output, the lines this\n"
    "run logged on standard error), 1 export failed (the lines this run logged are printed on\n"
    "standard error), 2 usage error.\n";

constexpr const char* kName = "kvo-export-excel: ";

// True when the extension names its file format: .xls or .xlsx in any letter case, or none
// (.xls).
bool NamesItsFormat(std::string sExtension) {
  for (char& c : sExtension) {
    if (c >= 'A' && c <= 'Z') c = static_cast<char>(c - 'A' + 'a');
  }
  return sExtension.empty() || sExtension.ends_with(".xls") || sExtension.ends_with(".xlsx");
}

// What one run logged, in order, and whether any line missed the log file.
struct RunLines {
  std::vector<std::string> vLines;
  bool bLost = false;
};

}  // namespace

int kvo::cli::CliMain(int argc, char** argv) {
  if (argc >= 2 && std::string(argv[1]) == "--check-config") {
    return kvo::cli::CheckConfigMain(argc - 2, argv + 2);
  }
  std::vector<std::string> vOperands;
  bool bOptionsEnd = false;
  for (int i = 1; i < argc; ++i) {
    const std::string sArg = argv[i];
    if (bOptionsEnd || sArg.empty() || sArg.front() != '-') {
      vOperands.push_back(sArg);
    } else if (sArg == "--") {
      bOptionsEnd = true;
    } else if (sArg == "--help" || sArg == "-h") {
      std::cout << kUsage;
      return 0;
    } else if (sArg == "--version") {
      std::cout << "kvo-export-excel " << kvo_Version() << "\n";
      return 0;
    } else {
      std::cerr << kName << "unknown option " << sArg << " (see --help)\n";
      return 2;
    }
  }
  if (vOperands.size() < 3 || vOperands.size() > 4) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string& sSource = vOperands[0];
  const std::string& sConfig = vOperands[1];
  std::string sSetup = vOperands[2];
  const std::string sExtension = vOperands.size() == 4 ? vOperands[3] : "";
  if (!kvo::cli::ReadSetupArgument(sSetup)) {
    std::cerr << kName << "cannot read the setup file " << sSetup.substr(1) << "\n";
    return 2;
  }
  if (!NamesItsFormat(sExtension)) {
    std::cerr << kName << "warning: the extension " << sExtension
              << " is neither .xls nor .xlsx; the workbook is written in Office Open XML\n";
  }

  RunLines tRun;
  kvo::iclsExportExcel oExport;
  oExport.SetLogLineSink([&tRun](const std::string& sLine, bool bWritten) {
    tRun.vLines.push_back(sLine);
    tRun.bLost = tRun.bLost || !bWritten;
  });
  const bool bDone = oExport.ParseMain(sSource, sConfig, sSetup, sExtension);
  if (bDone) {
    std::cout << oExport.OutputPath() << "\n";
  } else {
    std::cerr << kName << "the export failed; log: " << oExport.LogPath() << "\n";
  }
  for (const std::string& sLine : tRun.vLines) std::cerr << sLine << "\n";
  if (!bDone) {
    // The first reason the setup names no export, when that is why the run failed.
    const std::vector<std::string> vProblems = kvo::SetupStringProblems(sSetup, sConfig);
    if (!vProblems.empty()) std::cerr << kName << "hint: SETUP: " << vProblems.front() << "\n";
  }
  if (tRun.bLost) {
    std::cerr << kName << "the log file " << oExport.LogPath()
              << " could not be written; the lines above are missing from it\n";
  }
  return bDone ? 0 : 1;
}

#ifndef _WIN32
int main(int argc, char** argv) {
  return kvo::cli::CliMain(argc, argv);
}
#endif
