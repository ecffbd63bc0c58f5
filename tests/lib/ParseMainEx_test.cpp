// The C entry point that reports, through the shared library alone.
#include <gtest/gtest.h>
#include <kvoexportexcel/kvo_export_excel.h>
#include <stdlib.h>

#include <filesystem>
#include <regex>
#include <vector>

#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using kvo::test::ReadLines;

const std::string kStamp = R"(\d{4}-\d{2}-\d{2} \d{2}:\d{2}:\d{2})";

void Collect(const char* line, void* context) {
  static_cast<std::vector<std::string>*>(context)->push_back(line);
}

// The bundled item structure (it logs one structure error and is written) in a fresh folder
// with its own per-user profile.
class ParseMainExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ::setenv("APPDATA", dir.Str().c_str(), 1);
    ::unsetenv("ALLUSERSPROFILE");
    fs::create_directories(exportDir);
    fs::copy_file(kvo::test::SourcePath("examples/items-structure.xml"), source);
  }
  void TearDown() override { ::unsetenv("APPDATA"); }
  int16_t Run(const std::string& sConfig, kvo_log_sink fnSink, void* pContext, char* pPath,
              size_t nSize) const {
    return kvo_ParseMainEx(source.c_str(), sConfig.c_str(), setup.c_str(), ".xlsx", fnSink,
                           pContext, pPath, nSize);
  }

  kvo::test::TempDir dir;
  fs::path exportDir = dir.Path() / "ORVELD/Addin Modules/Stackwright/Export";
  std::string source = dir.Str("items.xml");
  std::string config = kvo::test::SourcePath("examples/config.xml");
  std::string setup =
      kvo::test::ReadFile(kvo::test::SourcePath("examples/setup/items-structure.xml"));
  std::string workbook = dir.Str("items.xlsx");
};

TEST_F(ParseMainExTest, SuccessTellsTheLoggedLinesAndTheWorkbookPath) {
  std::vector<std::string> lines;
  char path[4096];
  EXPECT_EQ(Run(config, Collect, &lines, path, sizeof path), -1);
  EXPECT_EQ(std::string(path), workbook);
  EXPECT_TRUE(fs::is_regular_file(workbook));
  EXPECT_FALSE(lines.empty());
  EXPECT_EQ(lines, ReadLines(exportDir / "ExportExcel.log"));
}

TEST_F(ParseMainExTest, FailureTellsLinesTheLogCouldNotTakeAndEmptiesThePath) {
  fs::create_directory(exportDir / "ExportExcel.log");  // a folder where the log file belongs
  std::vector<std::string> lines;
  char path[64];
  std::fill(std::begin(path), std::end(path), 'x');
  EXPECT_EQ(Run(dir.Str("none.xml"), Collect, &lines, path, sizeof path), 0);
  EXPECT_STREQ(path, "");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(std::regex_match(
      lines[0], std::regex("INI FILE " + dir.Str("none.xml") + " WAS NOT FOUND " + kStamp)))
      << lines[0];
}

TEST_F(ParseMainExTest, WithoutSinkOrBufferAndWithBuffersOfEverySize) {
  EXPECT_EQ(Run(config, nullptr, nullptr, nullptr, 0), -1);
  char untouched = 'x';
  EXPECT_EQ(Run(config, nullptr, nullptr, &untouched, 0), -1);
  EXPECT_EQ(untouched, 'x');
  std::vector<char> exact(workbook.size() + 1, 'x');
  EXPECT_EQ(Run(config, nullptr, nullptr, exact.data(), exact.size()), -1);
  EXPECT_EQ(std::string(exact.data()), workbook);
  std::vector<char> shorter(workbook.size(), 'x');
  EXPECT_EQ(Run(config, nullptr, nullptr, shorter.data(), shorter.size()), -1);
  EXPECT_EQ(shorter[0], '\0');
}

}  // namespace
