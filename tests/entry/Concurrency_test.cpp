// Exports on eight threads at once, five each, with different sources, configurations and file
// formats: every thread saves its own correct workbook, and the lines all of them log into the
// one log file stay whole lines.
#include <gtest/gtest.h>
#include <kvoexportexcel/iclsExportExcel.h>
#include <stdlib.h>

#include <filesystem>
#include <regex>
#include <thread>
#include <vector>

#include "config/RunState.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;

// One thread's export: a bundled example (its record in tests/e2e/expected), the setup file,
// the file format and which configuration file it reads.
struct ThreadCase {
  const char* record;
  const char* source;
  const char* setup;
  const char* extension;
  bool renamedConfig;
  const char* workbook;  // the file name the export saves under
  int logLines;          // lines each export logs
};

// The empty second dataset of DOC-4100-ASM logs one structure-error line in every export that
// holds that document.
const ThreadCase kCases[] = {
    {"items-structure", "items-structure.xml", "items-structure.xml", ".xlsx", false,
     "items-structure.xlsx", 1},
    {"items-collection", "items-collection.xml", "items-collection.xml", ".xls", true,
     "items-collection.xls", 0},
    {"documents-structure", "documents.xml", "documents-structure.xml", ".xlsx", true,
     "documents.xlsx", 1},
    {"documents-collection", "documents.xml", "documents-collection.xml", ".xls", false,
     "documents.xls", 1},
    {"folders-structure", "folders.xml", "folders-structure.xml", ".xls", true, "folders.xls", 1},
    {"folders-collection", "folders.xml", "folders-collection.xml", ".xlsx", false, "folders.xlsx",
     1},
    {"items-structure-named", "items-structure.xml", "items-structure-named.xml", ".xlsx", true,
     "Controller BOM.xlsx", 1},
    {"documents-structure", "documents.xml", "documents-structure.xml", ".xls", false,
     "documents.xls", 1},
};
constexpr int kRunsEach = 5;

TEST(Concurrency, EightThreadsExportTheirOwnWorkbooksAndLogWholeLines) {
  test::TempDir dir;
  test::SetEnv("APPDATA", dir.Str());
  test::UnsetEnv("ALLUSERSPROFILE");
  const fs::path exportDir = dir.Path() / "ORVELD/Addin Modules/Stackwright/Export";
  fs::create_directories(exportDir);
  const std::string config = test::SourcePath("examples/config.xml");
  const std::string renamedConfig = dir.Str("kvo settings.xml");
  fs::copy_file(config, renamedConfig);

  constexpr int kThreads = static_cast<int>(std::size(kCases));
  std::vector<std::string> sources(kThreads), outputs(kThreads);
  std::vector<int> succeeded(kThreads, 0);
  for (int t = 0; t < kThreads; ++t) {
    const fs::path folder = dir.Path() / ("t" + std::to_string(t));
    fs::create_directories(folder);
    fs::copy_file(test::SourcePath(std::string("examples/") + kCases[t].source),
                  folder / kCases[t].source);
    sources[t] = (folder / kCases[t].source).string();
  }
  std::vector<std::thread> threads;
  for (int t = 0; t < kThreads; ++t) {
    threads.emplace_back([&, t] {
      const ThreadCase& c = kCases[t];
      const std::string setup =
          test::ReadFile(test::SourcePath(std::string("examples/setup/") + c.setup));
      for (int run = 0; run < kRunsEach; ++run) {
        if (iclsExportExcel().ParseMain(sources[t], c.renamedConfig ? renamedConfig : config, setup,
                                        c.extension)) {
          ++succeeded[t];
        }
      }
      outputs[t] = kvo::Run().sOutputPath;
    });
  }
  for (std::thread& thread : threads) thread.join();
  test::UnsetEnv("APPDATA");

  std::string command = std::string(KVO_PYTHON) + " " +
                        test::ShellQuote(test::SourcePath("tests/support/expected_values.py"));
  std::string expectedReport;
  int expectedLines = 0;
  for (int t = 0; t < kThreads; ++t) {
    const fs::path workbook = dir.Path() / ("t" + std::to_string(t)) / kCases[t].workbook;
    EXPECT_EQ(succeeded[t], kRunsEach) << kCases[t].record;
    EXPECT_EQ(outputs[t], workbook.string()) << kCases[t].record;
    command += std::string(" ") + kCases[t].record + " " + test::ShellQuote(workbook.string());
    expectedReport += std::string(kCases[t].record) + " ok\n";
    expectedLines += kRunsEach * kCases[t].logLines;
  }
  std::string report;
  EXPECT_EQ(test::RunCommand(command, &report), 0) << report;
  EXPECT_EQ(report, expectedReport);

  // Every line whole: the date and time, then the structure error, nothing more and nothing
  // of another line.
  const std::regex whole(
      R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2} XML structure error: dataset relation 1 of )"
      R"(document DOC-4100-ASM has no child nodes)");
  const std::vector<std::string> lines = test::ReadLines(exportDir / "ExportExcel.log");
  EXPECT_EQ(static_cast<int>(lines.size()), expectedLines);
  for (const std::string& line : lines) EXPECT_TRUE(std::regex_match(line, whole)) << line;
}

}  // namespace
}  // namespace kvo
