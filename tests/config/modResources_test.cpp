#include "config/modResources.h"

#include <gtest/gtest.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <regex>

#include "config/RunState.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

class ResourcesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    kvo::Run().sLogPath = dir.Str("ExportExcel.log");
  }
  void Load(const std::string& sXml) {
    kvo::Run().oIniData = std::make_shared<clsXMLIniData>();
    std::string sErr;
    ASSERT_TRUE(kvo::Run().oIniData->LoadXString(sXml, sErr)) << sErr;
  }
  std::vector<std::string> Lines() const { return test::ReadLines(dir.Path() / "ExportExcel.log"); }
  test::TempDir dir;
};

TEST_F(ResourcesTest, FillsMessagesObjectsAndFieldsFromAnywhere) {
  Load(R"(<c><MESSAGES><MSG_FILE>Source file </MSG_FILE><MSG_RUN_ERROR> Run error: </MSG_RUN_ERROR>
      <MSG_DOC_DATASET>dataset <b>relation</b> </MSG_DOC_DATASET></MESSAGES>
      <deep><MSG_WAS_NOT_FOUND> was not found</MSG_WAS_NOT_FOUND>
        <CUSTOM_OBJECTS><ITEM>Qx</ITEM><FOLDER_FOLDER>Ff</FOLDER_FOLDER></CUSTOM_OBJECTS>
        <CUSTOM_OBJECTS><ITEM>Second</ITEM></CUSTOM_OBJECTS></deep>
      <CUSTOM_FIELDS><FILE_NAME>path</FILE_NAME><MNF_VND_KEY>key</MNF_VND_KEY></CUSTOM_FIELDS></c>)");
  kvo::Run().sMsgOfDoc = "stale";
  InitResources();
  const RunState& run = kvo::Run();
  EXPECT_EQ(run.sMsgFile, "Source file ");  // texts are taken untrimmed
  EXPECT_EQ(run.sMsgRunError, " Run error: ");
  EXPECT_EQ(run.sMsgWasNotFound, " was not found");
  EXPECT_EQ(run.sMsgDocDataset, "dataset relation");  // the blank-only text node is dropped
  EXPECT_EQ(run.sObjItem, "Qx");                      // the first match in document order wins
  EXPECT_EQ(run.sObjFolderFolder, "Ff");
  EXPECT_EQ(run.sFldFileName, "path");
  EXPECT_EQ(run.sFldMnfVndKey, "key");
  EXPECT_EQ(run.sMsgOfDoc, "");  // a missing key empties its string
  EXPECT_TRUE(Lines().empty());
}

TEST_F(ResourcesTest, EmptyMessagesSectionChangesNothing) {
  Load(
      "<c><MESSAGES/><MSG_FILE>elsewhere</MSG_FILE><CUSTOM_OBJECTS><ITEM>I</ITEM></"
      "CUSTOM_OBJECTS></c>");
  kvo::Run().sMsgFile = "previous";
  InitResources();
  EXPECT_EQ(kvo::Run().sMsgFile, "previous");
  EXPECT_EQ(kvo::Run().sObjItem, "");
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_TRUE(std::regex_match(lines[0], std::regex(std::string("Resources was not initialized ") +
                                                    test::kDateTimePattern)));
}

TEST_F(ResourcesTest, NoConfigurationIsARunError) {
  kvo::Run().sMsgRunError = "E: ";
  InitResources();
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("E: Object variable not set 91 "), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find(" in kVoExportExcel:modResources[InitResources]"), std::string::npos);
}

}  // namespace
}  // namespace kvo
