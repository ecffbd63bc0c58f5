// The reporting C entry point, through the shared library alone.
#include <gtest/gtest.h>
#include <kvoexportexcel/kvo_export_excel.h>
#include <stdlib.h>

#include <filesystem>
#include <vector>

#include "support/TestSupport.h"

namespace {

namespace fs = std::filesystem;
using kvo::test::SourcePath;
using Lines = std::vector<std::string>;

void KVO_CALL Collect(const char* line, void* context) {
  static_cast<Lines*>(context)->push_back(line);
}

// The bundled item structure (it logs one structure error and is written) with its own profile.
class ParseMainExTest : public ::testing::Test {
 protected:
  void SetUp() override {
    kvo::test::SetEnv("APPDATA", dir.Str());
    fs::create_directories(log.parent_path());
    fs::copy_file(SourcePath("examples/items-structure.xml"), dir.Path() / "items.xml");
  }
  int16_t Export(const std::string& sConfig, Lines* pLines, char* pPath, size_t nSize) const {
    return kvo_ParseMainEx(dir.Str("items.xml").c_str(), sConfig.c_str(), setup.c_str(), ".xlsx",
                           pLines ? Collect : nullptr, pLines, pPath, nSize);
  }
  kvo::test::TempDir dir;
  fs::path log = dir.Path() / "ORVELD/Addin Modules/Stackwright/Export/ExportExcel.log";
  std::string config = SourcePath("examples/config.xml");
  std::string setup = kvo::test::ReadFile(SourcePath("examples/setup/items-structure.xml"));
  std::string workbook = dir.Str("items.xlsx");
};

TEST_F(ParseMainExTest, SuccessTellsTheLinesAndGivesThePathToABufferItFits) {
  Lines lines;
  std::vector<char> fits(workbook.size() + 1, 'x');
  std::vector<char> shorter(workbook.size(), 'x');
  EXPECT_EQ(Export(config, &lines, fits.data(), fits.size()), -1);
  EXPECT_EQ(std::string(fits.data()), workbook);
  EXPECT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines, kvo::test::ReadLines(log));
  EXPECT_EQ(Export(config, nullptr, shorter.data(), shorter.size()), -1);
  EXPECT_EQ(shorter[0], '\0');
  EXPECT_EQ(Export(config, nullptr, nullptr, 0), -1);
}

TEST_F(ParseMainExTest, FailureTellsLinesTheLogCouldNotTakeAndEmptiesThePath) {
  fs::create_directory(log);  // a folder where the log file belongs
  Lines lines;
  char path[8] = "stale";
  EXPECT_EQ(Export(dir.Str("none.xml"), &lines, path, sizeof path), 0);
  EXPECT_STREQ(path, "");
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("INI FILE " + dir.Str("none.xml") + " WAS NOT FOUND ", 0), 0u);
}

}  // namespace
