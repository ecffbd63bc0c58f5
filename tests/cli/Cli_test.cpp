#include <gtest/gtest.h>

#include <filesystem>
#include <regex>
#include <utility>
#include <vector>

#include "support/TestSupport.h"
#include "workbook/BuildInfo.h"
#include "workbook/excel/xlsx/DeflateBackend.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;
using test::ShellQuote;

// Runs the command-line host with its own per-user profile folder.
class CliTest : public ::testing::Test {
 protected:
  void SetUp() override {
    fs::create_directories(dir.Path() / "ORVELD/Addin Modules/Stackwright/Export");
    test::WriteFile(dir.Path() / "src.xml", "<Root_Element/>");
  }
  int Cli(const std::string& sArgs, std::string* pOut, bool bWithStderr = true) const {
    return test::RunCommand(
        "APPDATA=" + ShellQuote(dir.Str()) + " LC_ALL=C " + ShellQuote(KVO_CLI_PATH) + " " + sArgs,
        pOut, bWithStderr);
  }
  std::string LogPath() const {
    return dir.Str("ORVELD/Addin Modules/Stackwright/Export/ExportExcel.log");
  }
  test::TempDir dir;
  std::string config = test::SourcePath("examples/config.xml");
};

TEST_F(CliTest, UsageErrorsExitWithTwo) {
  std::string out;
  EXPECT_EQ(Cli("--help", &out), 0);
  EXPECT_NE(out.find("Usage: kvo-export-excel SOURCE CONFIG SETUP [EXTENSION]"), std::string::npos);
  EXPECT_EQ(Cli("", &out), 2);
  EXPECT_EQ(Cli("a b c d e", &out), 2);
  out.clear();
  EXPECT_EQ(Cli("a b @" + ShellQuote(dir.Str("no-setup.xml")), &out), 2);
  EXPECT_NE(out.find("cannot read the setup file"), std::string::npos) << out;
}

TEST_F(CliTest, FailedExportShowsTheLogLinesOfThisRun) {
  std::string out;
  const std::string sMissing = dir.Str("missing-config.xml");
  EXPECT_EQ(Cli(ShellQuote(dir.Str("src.xml")) + " " + ShellQuote(sMissing) + " '<s/>'", &out), 1);
  EXPECT_NE(out.find("log: " + LogPath()), std::string::npos) << out;
  EXPECT_NE(out.find("INI FILE " + sMissing + " WAS NOT FOUND "), std::string::npos) << out;

  // A second failing run prints only its own lines.
  out.clear();
  EXPECT_EQ(Cli("'' " + ShellQuote(config) + " '<s/>'", &out), 1);
  EXPECT_EQ(out.find("WAS NOT FOUND"), std::string::npos) << out;
  EXPECT_NE(out.find("Source file name is empty "), std::string::npos) << out;
  EXPECT_EQ(test::ReadLines(LogPath()).size(), 2u);
}

TEST_F(CliTest, VersionAndOptions) {
  std::string out;
  EXPECT_EQ(Cli("--version", &out), 0);
  // The version, then the configured deflate back end with its version, then the other parts.
  EXPECT_EQ(out, std::string("kvo-export-excel ") + BuildInfo() + "\n");
  const excel::DeflateBackend& deflate = excel::ConfiguredDeflateBackend();
  EXPECT_NE(out.find(std::string(" (deflate: ") + deflate.name + " " + deflate.version() + "; "),
            std::string::npos)
      << out;
  EXPECT_TRUE(std::regex_match(
      out,
      std::regex("kvo-export-excel \\d+\\.\\d+\\.\\d+ \\(deflate: [^;]+ [0-9.]+(; [^;)]+)+\\)\n")))
      << out;
  out.clear();
  EXPECT_EQ(Cli("a b c --bogus", &out), 2);
  EXPECT_EQ(out, "kvo-export-excel: unknown option --bogus (see --help)\n");
  EXPECT_EQ(Cli("-- -src.xml " + ShellQuote(config) + " '<s/>'", &out), 1);  // a name after --
}

TEST_F(CliTest, SuccessPrintsThePathAndTheRunsLinesAndWarningsOnStandardError) {
  fs::copy_file(test::SourcePath("examples/items-structure.xml"), dir.Path() / "items.xml");
  const std::string sArgs = ShellQuote(dir.Str("items.xml")) + " " + ShellQuote(config) + " @" +
                            ShellQuote(test::SourcePath("examples/setup/items-structure.xml"));
  std::string out;
  std::string err;
  EXPECT_EQ(Cli(sArgs + " .book", &out, false), 0);
  EXPECT_EQ(out, dir.Str("items.book") + "\n");
  EXPECT_EQ(Cli(sArgs + " .XLS 2>&1 >/dev/null", &err, false), 0);
  EXPECT_EQ(err.find("warning"), std::string::npos) << err;
  EXPECT_NE(err.find("XML structure error: dataset relation 1 of"), std::string::npos) << err;
  EXPECT_EQ(Cli(sArgs + " .book 2>&1 >/dev/null", &err, false), 0);
  EXPECT_NE(err.find("warning: the extension .book is neither .xls nor .xlsx"), std::string::npos);
}

TEST_F(CliTest, SetupFailuresGetAHintWhenTheCauseIsKnown) {
  test::WriteFile(dir.Path() / "setup.xml", "<s/>");
  auto setup = [](const std::string& sSpace, const std::string& sObject) {
    return "'<s><SPACE_TYPE>" + sSpace + "</SPACE_TYPE><OBJECT_TYPE>" + sObject +
           "</OBJECT_TYPE></s>'";
  };
  for (const auto& [sSetup, sHint] : std::vector<std::pair<std::string, std::string>>{
           {ShellQuote(dir.Str("setup.xml")), "did you mean @" + dir.Str("setup.xml") + "?"},
           {setup("structure", "Item"),
            "SPACE_TYPE \"structure\" is neither \"STRUCTURE\" nor \"COLLECTION\" (letter case "
            "counts)"},
           {setup("COLLECTION", "Part"),
            "the configured ones are \"Item\", \"Document\" or \"Folder\""},
           {"'no XML, no file'", "SETUP: it is not XML"},
           {setup("STRUCTURE", "Item"), ""}}) {
    std::string out;
    EXPECT_EQ(Cli(ShellQuote(dir.Str("src.xml")) + " " + ShellQuote(config) + " " + sSetup, &out),
              1);
    // A setup that names an export fails here only for want of objects: no hint then.
    EXPECT_EQ(out.find("Setup string is invalid") == std::string::npos, sHint.empty()) << out;
    EXPECT_EQ(out.find("hint: ") == std::string::npos, sHint.empty()) << out;
    EXPECT_NE(out.find(sHint), std::string::npos) << out;
  }
}

TEST_F(CliTest, LinesTheLogFileCouldNotTakeAreShownWithOneNotice) {
  fs::create_directory(LogPath());  // a folder where the log file belongs
  test::WriteFile(dir.Path() / "no-messages.xml", "<cfg><OTHER><x/></OTHER></cfg>");
  std::string out;
  EXPECT_EQ(Cli("'' " + ShellQuote(dir.Str("no-messages.xml")) + " '<s/>'", &out), 1);
  EXPECT_NE(out.find("\nResources was not initialized "), std::string::npos) << out;
  const auto notice = out.find("could not be written");
  EXPECT_NE(notice, std::string::npos) << out;
  EXPECT_EQ(out.find("could not be written", notice + 1), std::string::npos) << out;
}

TEST_F(CliTest, SetupTextFromAFile) {
  test::WriteFile(dir.Path() / "setup.xml",
                  "<s><SPACE_TYPE>collection</SPACE_TYPE><OBJECT_TYPE>Item</OBJECT_TYPE></s>");
  std::string out;
  EXPECT_EQ(Cli(ShellQuote(dir.Str("src.xml")) + " " + ShellQuote(config) + " @" +
                    ShellQuote(dir.Str("setup.xml")),
                &out),
            1);
  EXPECT_NE(out.find("Setup string is invalid"), std::string::npos) << out;
}

TEST_F(CliTest, CheckConfigExitStatusAndOutput) {
  std::string out;
  EXPECT_EQ(Cli("--check-config " + ShellQuote(config), &out), 0);
  EXPECT_EQ(out, config + ": no findings\n");

  // Items need the alternate list; the others do not.
  const std::string sAlternate =
      "<ALTERNATE_ID ORDER=\"1\" FIELD=\"number\">ALTERNATE ID</ALTERNATE_ID>";
  std::string sText = test::ReadFile(config);
  sText.erase(sText.find(sAlternate), sAlternate.size());
  test::WriteFile(dir.Path() / "broken.xml", sText);
  const std::string sBroken = ShellQuote(dir.Str("broken.xml"));
  out.clear();
  EXPECT_EQ(Cli("--check-config " + sBroken, &out), 1);
  EXPECT_EQ(out,
            "PROPERTY_LBL\n"
            "  error: PROPERTY_LBL/PART_LIST_LBL/ALTERNATE_LIST_LBL: missing or without child "
            "elements; item exports fail: the run ends with the line \"Configuration data is "
            "incomplete or incorrect\"\n" +
                dir.Str("broken.xml") + ": 1 error, 0 warnings\n");
  out.clear();
  const std::string sDocs =
      " @" + ShellQuote(test::SourcePath("examples/setup/documents-structure.xml"));
  EXPECT_EQ(Cli("--check-config " + sBroken + sDocs, &out), 0);
  EXPECT_EQ(out, dir.Str("broken.xml") + ": no findings\n");

  // A missing label is a warning only.
  sText = test::ReadFile(config);
  sText.erase(sText.find("<CHILD>Child</CHILD>"), 20);
  test::WriteFile(dir.Path() / "label.xml", sText);
  out.clear();
  EXPECT_EQ(Cli("--check-config " + ShellQuote(dir.Str("label.xml")), &out), 0);
  EXPECT_NE(out.find("PROPERTY_LBL\n  warning: PROPERTY_LBL/PART_LIST_LBL/CHILD: missing or empty; "
                     "in item exports, every part-list line shows the built-in \"Child\"\n"),
            std::string::npos)
      << out;

  EXPECT_EQ(Cli("--check-config", &out), 2);
  EXPECT_EQ(Cli("--check-config a b c", &out), 2);
  EXPECT_EQ(Cli("--check-config " + sBroken + " @" + ShellQuote(dir.Str("none.xml")), &out), 2);
  EXPECT_FALSE(fs::exists(LogPath()));
}

}  // namespace
}  // namespace kvo
