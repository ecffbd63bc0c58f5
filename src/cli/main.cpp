// Command-line host: runs exactly one export and reports where the workbook or the reasons went.
#include <kvoexportexcel/iclsExportExcel.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <sstream>
#include <string>

#include "cli/CheckConfig.h"
#include "config/RunState.h"
#include "config/modEnvironment.h"

namespace {

constexpr const char* kUsage =
    "Usage: kvo-export-excel SOURCE CONFIG SETUP [EXTENSION]\n"
    "       kvo-export-excel --check-config CONFIG [SETUP]\n"
    "\n"
    "Exports the product-data XML document SOURCE into a spreadsheet workbook next to it.\n"
    "\n"
    "  SOURCE     path of the exported XML document\n"
    "  CONFIG     path of the configuration XML document (labels, element names, messages)\n"
    "  SETUP      the setup XML text itself, or @FILE to read it from FILE; it names the\n"
    "             SPACE_TYPE (STRUCTURE or COLLECTION), the OBJECT_TYPE and the caption values\n"
    "  EXTENSION  extension of the workbook including the dot (default: .xls)\n"
    "\n"
    "The workbook is written in SOURCE's folder, under SOURCE's base name or under the name the\n"
    "second caption value gives.  Problems are written to ExportExcel.log in the export folder.\n"
    "\n"
    "Exit status: 0 workbook written (its path is printed), 1 export failed (the log lines of\n"
    "this run are printed on standard error), 2 usage error.\n";

bool ReadText(const std::string& sPath, std::string& sText) {
  std::ifstream in(sPath, std::ios::binary);
  if (!in) return false;
  std::ostringstream ss;
  ss << in.rdbuf();
  sText = ss.str();
  return true;
}

std::uintmax_t SizeOf(const std::string& sPath) {
  std::error_code ec;
  const std::uintmax_t n = std::filesystem::file_size(sPath, ec);
  return ec ? 0 : n;
}

// The log lines appended since the log had lOffset bytes, CR LF endings removed.
void PrintNewLogLines(const std::string& sLogPath, std::uintmax_t lOffset) {
  std::string sText;
  if (sLogPath.empty() || !ReadText(sLogPath, sText) || sText.size() <= lOffset) return;
  std::string sNew = sText.substr(static_cast<std::size_t>(lOffset));
  std::string sLine;
  std::istringstream lines(sNew);
  while (std::getline(lines, sLine)) {
    if (!sLine.empty() && sLine.back() == '\r') sLine.pop_back();
    std::cerr << sLine << '\n';
  }
}

}  // namespace

int main(int argc, char** argv) {
  if (argc >= 2 && std::strcmp(argv[1], "--check-config") == 0) {
    return kvo::cli::CheckConfigMain(argc - 2, argv + 2);
  }
  if (argc == 2 && (std::strcmp(argv[1], "--help") == 0 || std::strcmp(argv[1], "-h") == 0)) {
    std::cout << kUsage;
    return 0;
  }
  if (argc < 4 || argc > 5) {
    std::cerr << kUsage;
    return 2;
  }
  const std::string sSource = argv[1];
  const std::string sConfig = argv[2];
  std::string sSetup = argv[3];
  const std::string sExtension = argc == 5 ? argv[4] : "";
  if (!sSetup.empty() && sSetup.front() == '@') {
    const std::string sSetupFile = sSetup.substr(1);
    if (!ReadText(sSetupFile, sSetup)) {
      std::cerr << "kvo-export-excel: cannot read the setup file " << sSetupFile << "\n";
      return 2;
    }
  }

  // Where this run will log, and how much the log held before it.
  std::string sLogPath;
  try {
    sLogPath = kvo::GetEnvDir("KVO_EXPORT_DIR") + "ExportExcel.log";
  } catch (...) {
  }
  const std::uintmax_t lLogSize = SizeOf(sLogPath);

  kvo::iclsExportExcel oExport;
  const bool bDone = oExport.ParseMain(sSource, sConfig, sSetup, sExtension);
  if (bDone) {
    std::cout << kvo::Run().sOutputPath << "\n";
    return 0;
  }
  if (!kvo::Run().sLogPath.empty()) sLogPath = kvo::Run().sLogPath;
  std::cerr << "kvo-export-excel: the export failed; log: " << sLogPath << "\n";
  PrintNewLogLines(sLogPath, lLogSize);
  return 1;
}
