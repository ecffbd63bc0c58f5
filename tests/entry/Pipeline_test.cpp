#include <gtest/gtest.h>
#include <kvoexportexcel/iclsExportExcel.h>
#include <stdlib.h>

#include <filesystem>
#include <regex>
#include <thread>

#include "config/RunState.h"
#include "entry/clsExportExcel.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;

const std::string kStamp = test::kDateTimePattern;

// Each case runs with its own per-user profile, so the log lands in a fresh export folder.
class PipelineTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    test::SetEnv("APPDATA", dir.Str());
    test::UnsetEnv("ALLUSERSPROFILE");
    exportDir = dir.Path() / "ORVELD/Addin Modules/Stackwright/Export";
    fs::create_directories(exportDir);
    config = test::SourcePath("examples/config.xml");
  }
  void TearDown() override { test::UnsetEnv("APPDATA"); }

  bool Export(const std::string& sSource, const std::string& sConfig, const std::string& sSetup,
              const std::string& sExt = ".xlsx") {
    return iclsExportExcel().ParseMain(sSource, sConfig, sSetup, sExt);
  }
  std::vector<std::string> Lines() const { return test::ReadLines(exportDir / "ExportExcel.log"); }
  std::string ItemSetup(const std::string& sSpace = "STRUCTURE") const {
    return "<s><SPACE_TYPE>" + sSpace + "</SPACE_TYPE><OBJECT_TYPE>Item</OBJECT_TYPE></s>";
  }
  std::string Source(const std::string& sXml) const {
    test::WriteFile(dir.Path() / "src.xml", sXml);
    return dir.Str("src.xml");
  }

  test::TempDir dir;
  fs::path exportDir;
  std::string config;
};

TEST_F(PipelineTest, MissingOrEmptyConfigurationPath) {
  const std::string sMissing = dir.Str("nowhere/config.xml");
  EXPECT_FALSE(Export(Source("<Root_Element/>"), sMissing, ItemSetup()));
  EXPECT_FALSE(Export(Source("<Root_Element/>"), "", ItemSetup()));
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex("INI FILE " + test::RegexLiteral(sMissing) +
                                                    " WAS NOT FOUND " + kStamp)))
      << lines[0];
  EXPECT_TRUE(std::regex_match(lines[1], std::regex("INI FILE NAME IS EMPTY " + kStamp)));
  EXPECT_EQ(kvo::Run().oIniData, nullptr);
}

TEST_F(PipelineTest, BrokenConfigurationLogsTheLoadersLine) {
  test::WriteFile(dir.Path() / "bad.xml", "<cfg>\n<MESSAGES>\n</cfg>");
  EXPECT_FALSE(Export(Source("<Root_Element/>"), dir.Str("bad.xml"), ItemSetup()));
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(std::regex_match(
      lines[0], std::regex(kStamp + " IniDoc Load Parse error: .* On Line: 3 At Position: \\d+")))
      << lines[0];
}

TEST_F(PipelineTest, SourcePathProblemsUseTheConfiguredTexts) {
  EXPECT_FALSE(Export("", config, ItemSetup()));
  const std::string sMissing = dir.Str("missing.xml");
  EXPECT_FALSE(Export(sMissing, config, ItemSetup()));
  EXPECT_FALSE(Export(dir.Str(), config, ItemSetup()));  // a folder is not a source file
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 3u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex("Source file name is empty " + kStamp)));
  EXPECT_TRUE(std::regex_match(lines[1], std::regex("Source file " + test::RegexLiteral(sMissing) +
                                                    " was not found " + kStamp)));
}

TEST_F(PipelineTest, UnusableSetupAndIncompleteConfiguration) {
  const std::string sSource = Source("<Root_Element/>");
  EXPECT_FALSE(Export(sSource, config, ItemSetup("collection")));
  // The same configuration without its manufacturer section cannot export items.
  std::string sPartial = test::ReadFile(config);
  for (const std::string tag : {"<MNF_LBL>", "</MNF_LBL>"}) {
    sPartial.replace(sPartial.find(tag), tag.size(), tag.substr(0, tag.size() - 1) + "_GONE>");
  }
  test::WriteFile(dir.Path() / "partial.xml", sPartial);
  EXPECT_FALSE(Export(sSource, dir.Str("partial.xml"), ItemSetup()));
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(std::regex_match(
      lines[0],
      std::regex("Setup string is invalid or names an unknown space or object type " + kStamp)));
  EXPECT_TRUE(std::regex_match(
      lines[1], std::regex("Configuration data is incomplete or incorrect " + kStamp)));
  EXPECT_FALSE(kvo::Run().vExlCaption.HoldsTable());  // the run's tables were cleared
  EXPECT_FALSE(kvo::Run().vItemAttrLbl.HoldsTable());
}

TEST_F(PipelineTest, WithoutMessagesTheTextsStayEmpty) {
  test::WriteFile(dir.Path() / "nomsg.xml", "<cfg><OTHER><x/></OTHER></cfg>");
  EXPECT_FALSE(Export("", dir.Str("nomsg.xml"), ItemSetup()));
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex("Resources was not initialized " + kStamp)));
  EXPECT_TRUE(std::regex_match(lines[1], std::regex(" " + kStamp)));
}

TEST_F(PipelineTest, SourceParseErrorStopsTheRun) {
  EXPECT_FALSE(Export(Source("<Root_Element>\n<Item>\n</Root_Element>"), config, ItemSetup()));
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find(" could not be parsed: "), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find(" on line 3 at position "), std::string::npos) << lines[0];
}

TEST_F(PipelineTest, SourceWithoutObjectsWritesNoWorkbook) {
  EXPECT_FALSE(Export(Source("<Root_Element/>"), config, ItemSetup()));
  EXPECT_TRUE(Lines().empty());
  EXPECT_FALSE(fs::exists(dir.Path() / "src.xlsx"));
  EXPECT_EQ(kvo::Run().lMainUBound, -1);
}

// Values of cells of a written workbook, read with openpyxl, one per line.
std::string CellValues(const std::string& sWorkbook, const std::string& sRefs) {
  std::string out;
  test::RunCommand(std::string(KVO_PYTHON) +
                       " -c 'import sys, openpyxl; ws = openpyxl.load_workbook(sys.argv[1])"
                       "[\"Sheet1\"]; print(\"|\".join(str(ws[r].value) for r in sys.argv[2:]))' " +
                       test::ShellQuote(sWorkbook) + " " + sRefs,
                   &out);
  return out;
}

const char* kOneItem =
    "<Root_Element><Item number='P-1' revision='A' itemType='Part'/></Root_Element>";

TEST_F(PipelineTest, SingleCaptionFieldNamesTheWorkbookAfterTheSource) {
  std::string sConfig = test::ReadFile(config);
  const auto from = sConfig.find("<REPORT_NAME ORDER");
  sConfig.erase(from, sConfig.find("</EXL_CAPTION_LBL>") - from);
  test::WriteFile(dir.Path() / "one-caption.xml", sConfig);
  ASSERT_TRUE(Export(Source(kOneItem), dir.Str("one-caption.xml"), ItemSetup()));
  EXPECT_TRUE(fs::is_regular_file(dir.Path() / "src.xlsx"));
  EXPECT_TRUE(Lines().empty());
}

TEST_F(PipelineTest, OldWorkbookIsReplaced) {
  test::WriteFile(dir.Path() / "src.xlsx", "stale");
  ASSERT_TRUE(Export(Source(kOneItem), config, ItemSetup()));
  EXPECT_EQ(CellValues(dir.Str("src.xlsx"), "B6"), "P-1\n");
}

TEST_F(PipelineTest, ConsecutiveRunsOnOneThreadSeeOnlyTheirOwnTables) {
  ASSERT_TRUE(Export(Source(kOneItem), config, ItemSetup()));
  EXPECT_EQ(CellValues(dir.Str("src.xlsx"), "A10 A11 C11 A12"),
            "Attributes|Item Type|Lifecycle|Category\n");
  // The second configuration lists one item attribute under another label.
  std::string sConfig = test::ReadFile(config);
  const auto from = sConfig.find("<UOM ORDER=");
  sConfig.replace(from, sConfig.find("</ATTRIBUTE_LIST_LBL>", from) - from,
                  "<KIND ORDER='1' FIELD='itemType'>Kind</KIND>");
  test::WriteFile(dir.Path() / "second.xml", sConfig);
  ASSERT_TRUE(Export(Source(kOneItem), dir.Str("second.xml"), ItemSetup()));
  EXPECT_EQ(CellValues(dir.Str("src.xlsx"), "A10 A11 B11 C11 A12"),
            "Attributes|Kind|Part|None|None\n");
  EXPECT_TRUE(Lines().empty());
}

TEST_F(PipelineTest, ExportsOnTwoThreadsKeepTheirOwnRunState) {
  fs::create_directories(dir.Path() / "a");
  fs::create_directories(dir.Path() / "b");
  test::WriteFile(dir.Path() / "a/items.xml", kOneItem);
  test::WriteFile(dir.Path() / "b/folders.xml",
                  "<Root_Element><Folder folderNumber='F-1' folderRevision='0'/></Root_Element>");
  const std::string sFolderSetup =
      "<s><SPACE_TYPE>COLLECTION</SPACE_TYPE><OBJECT_TYPE>Folder</OBJECT_TYPE></s>";
  bool bItems = false;
  bool bFolders = false;
  std::thread items([&] {
    for (int i = 0; i < 5; ++i) bItems = Export(dir.Str("a/items.xml"), config, ItemSetup());
  });
  std::thread folders([&] {
    for (int i = 0; i < 5; ++i) bFolders = Export(dir.Str("b/folders.xml"), config, sFolderSetup);
  });
  items.join();
  folders.join();
  EXPECT_TRUE(bItems);
  EXPECT_TRUE(bFolders);
  EXPECT_EQ(CellValues(dir.Str("a/items.xlsx"), "A5 B6"), "Level|P-1\n");
  EXPECT_EQ(CellValues(dir.Str("b/folders.xlsx"), "A5 A6"), "FLD ID|F-1\n");
  EXPECT_TRUE(Lines().empty());
}

TEST(OutputPath, NextToTheSourceUnderItsBaseNameOrTheGivenName) {
  EXPECT_EQ(clsExportExcel::OutputPath("/data/bom.rev.xml", ".xls", ""), "/data/bom.rev.xls");
  EXPECT_EQ(clsExportExcel::OutputPath("/data/bom", ".xls", ""), "/data/bom.xls");
  EXPECT_EQ(clsExportExcel::OutputPath("/data/bom.xml", "xlsx", ""), "/data/bomxlsx");
  EXPECT_EQ(clsExportExcel::OutputPath("/data/bom.xml", ".xls", "Report"), "/data/Report.xls");
  // A name never leaves the source's folder.
  EXPECT_EQ(clsExportExcel::OutputPath("/data/bom.xml", ".xls", "../up/x\\y"),
            "/data/.._up_x_y.xls");
  // Only a dot in the file name starts the extension.
  EXPECT_EQ(clsExportExcel::OutputPath("/data.v2/bom", ".xls", ""), "/data.v2/bom.xls");
  EXPECT_EQ(clsExportExcel::OutputPath("bom.xml", ".xls", ""), "bom.xls");
  EXPECT_EQ(clsExportExcel::OutputPath("bom.xml", ".xls", "Report"), "Report.xls");
}

TEST_F(PipelineTest, ExportLongerThanAnXlsSheetIsNoSuccess) {
  // 20,000 top-level items: their panel rows and blocks need more than 65,536 rows.
  std::string sXml = "<Root_Element>";
  for (int i = 0; i < 20000; ++i) {
    sXml += "<Item number=\"N" + std::to_string(i) + "\" revision=\"A\" itemType=\"Part\"/>";
  }
  const std::string sSource = Source(sXml + "</Root_Element>");
  EXPECT_FALSE(Export(sSource, config, ItemSetup("COLLECTION"), ".xls"));
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 2u);
  EXPECT_NE(lines[0].find("is outside the sheet (rows 1 to 65536)"), std::string::npos) << lines[0];
  EXPECT_TRUE(std::regex_match(
      lines[1], std::regex("[0-9,]+ of 20,000 objects did not fit on the sheet: it holds 65,536 "
                           "rows in this file format; a \\.xlsx workbook holds 1,048,576 rows " +
                           kStamp)))
      << lines[1];
  // What fitted is saved.
  EXPECT_EQ(test::ReadFile(dir.Path() / "src.xls").substr(0, 4), "\xD0\xCF\x11\xE0");
}

TEST_F(PipelineTest, MissingExportFolderUnderTheProfileIsCreatedForTheLog) {
  fs::remove_all(exportDir);
  EXPECT_FALSE(Export(dir.Str("nowhere.xml"), config, ItemSetup()));
  ASSERT_EQ(Lines().size(), 1u);
  EXPECT_NE(Lines()[0].find("nowhere.xml"), std::string::npos);
}

TEST_F(PipelineTest, OutputPathThatIsAFolderFailsNamingPathAndReason) {
  const std::string sSource = Source("<Root_Element><Item number=\"A\"/></Root_Element>");
  fs::create_directory(dir.Path() / "src.xlsx");
  EXPECT_FALSE(Export(sSource, config, ItemSetup()));
  const auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
#ifdef _WIN32
  const std::string sReason = "Access denied.";  // Windows' words for replacing a folder
#else
  const std::string sReason = "Is a directory";
#endif
  EXPECT_NE(lines[0].find("\"" + dir.Str("src.xlsx") + "\": " + sReason), std::string::npos)
      << lines[0];
  EXPECT_TRUE(lines[0].ends_with("in kVoExportExcel:clsBldExcel[InitExl]")) << lines[0];
  EXPECT_TRUE(fs::is_directory(dir.Path() / "src.xlsx"));
  // No temporary file is left beside it.
  EXPECT_EQ(std::distance(fs::directory_iterator(dir.Path()), fs::directory_iterator()), 3);
}

}  // namespace
}  // namespace kvo
