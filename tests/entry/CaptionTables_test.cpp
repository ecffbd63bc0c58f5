#include <gtest/gtest.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <regex>

#include "config/Log.h"
#include "config/RunState.h"
#include "entry/clsExportExcel.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

// A small configuration whose sections the cases below take apart.
std::string Config(const std::string& sCaptions, const std::string& sExtra = "",
                   const std::string& sItemAttrs =
                       "<X ORDER='2' FIELD='fx'>Ex</X><W ORDER='1' FIELD='fw'>Wy</W>") {
  return "<cfg><CUSTOM_OBJECTS><ITEM>Qi</ITEM><DOC>Qd</DOC><FOLDER>Qf</FOLDER></CUSTOM_OBJECTS>"
         "<EXL_CAPTION_LBL>" +
         sCaptions +
         "</EXL_CAPTION_LBL>"
         "<PROPERTY_LBL>"
         "<ITEM_LBL><ITEM_CAP_LBL><I ORDER='1' FIELD='num'>ID</I><R ORDER='2' FIELD='rev'>Rev</R>"
         "<D ORDER='3' FIELD='desc'>Desc</D></ITEM_CAP_LBL>"
         "<ITEM_ATTR_LBL><ATTRIBUTE_LIST_LBL>" +
         sItemAttrs +
         "</ATTRIBUTE_LIST_LBL></ITEM_ATTR_LBL>"
         "</ITEM_LBL>"
         "<DOCUMENT_LBL><DOC_CAP_LBL><I ORDER='1' FIELD='dnum'/><R ORDER='2' FIELD='drev'/>"
         "<D ORDER='3'/></DOC_CAP_LBL>"
         "<DOC_ATTR_LBL><ATTRIBUTE_LIST_LBL><A ORDER='1' "
         "FIELD='da'>A</A></ATTRIBUTE_LIST_LBL></DOC_ATTR_LBL>"
         "<FILE_ATTR_LBL><ATTRIBUTE_LIST_LBL><A ORDER='1' "
         "FIELD='fa'>A</A></ATTRIBUTE_LIST_LBL></FILE_ATTR_LBL>"
         "</DOCUMENT_LBL>"
         "<FOLDER_LBL><FOLDER_CAP_LBL><I ORDER='1' FIELD='fnum'/></FOLDER_CAP_LBL>"
         "<FOLDER_ATTR_LBL><ATTRIBUTE_LIST_LBL><A ORDER='1' "
         "FIELD='o'>Owner</A></ATTRIBUTE_LIST_LBL></FOLDER_ATTR_LBL>"
         "</FOLDER_LBL>" +
         sExtra +
         "</PROPERTY_LBL>"
         "<MAIN_LBL><ITEM><F ORDER='3' FIELD='find'/><Q ORDER='5' FIELD='qty'/></ITEM>"
         "<DOC><A ORDER='5' FIELD='type'/><B ORDER='6' FIELD='status'/></DOC>"
         "<FOLDER><A ORDER='5' FIELD='owner'/></FOLDER></MAIN_LBL>"
         "<MAIN_ADD_LBL><ITEM><T2 ORDER='2' FIELD='mount' OWNER='ITEM_PS_DEF'>Mounting</T2>"
         "<T1 ORDER='1' FIELD='life'>Life</T1></ITEM>"
         "<FOLDER><P ORDER='1' FIELD='proj' OWNER='FOLDER'>Project</P></FOLDER></MAIN_ADD_LBL>"
         "</cfg>";
}

const std::string kItemSections =
    "<PART_LIST_LBL><ALTERNATE_LIST_LBL><A ORDER='1' "
    "FIELD='alt'/></ALTERNATE_LIST_LBL></PART_LIST_LBL>"
    "<MNF_LBL><MNF_CAP_LBL><A ORDER='1' FIELD='mid'/><B ORDER='2' FIELD='mname'/>"
    "<C ORDER='3' FIELD='mpn'/></MNF_CAP_LBL>"
    "<MNF_ATTR_LBL><ATTRIBUTE_LIST_LBL><A ORDER='1' "
    "FIELD='pref'>Pref</A></ATTRIBUTE_LIST_LBL></MNF_ATTR_LBL></MNF_LBL>"
    "<VND_LBL><VND_CAP_LBL><A ORDER='1' FIELD='sid'/><B ORDER='2' FIELD='sname'/>"
    "<C ORDER='3' FIELD='spn'/></VND_CAP_LBL>"
    "<VND_ATTR_LBL><ATTRIBUTE_LIST_LBL><A ORDER='1' "
    "FIELD='lead'>Lead</A></ATTRIBUTE_LIST_LBL></VND_ATTR_LBL></VND_LBL>";

const std::string kFourCaptions =
    "<WHO ORDER='1'>Prepared By</WHO><NAME ORDER='2'>Report</NAME><PROJ ORDER='3'>Project</PROJ>"
    "<WHEN ORDER='4'>Date</WHEN><SKIP>no order</SKIP><ZERO ORDER='0'>zero</ZERO>";

std::string SetupXml(const std::string& sSpace, const std::string& sObject,
                     const std::string& sMore = "") {
  return "<s><SPACE_TYPE>" + sSpace + "</SPACE_TYPE><OBJECT_TYPE>" + sObject + "</OBJECT_TYPE>" +
         sMore + "</s>";
}

class CaptionTablesTest : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    kvo::Run().sLogPath = dir.Str("ExportExcel.log");
    kvo::Run().sMsgRunError = "Run error: ";
  }
  void LoadConfig(const std::string& sXml) {
    kvo::Run().oIniData = std::make_shared<clsXMLIniData>();
    std::string sErr;
    ASSERT_TRUE(kvo::Run().oIniData->LoadXString(sXml, sErr)) << sErr;
    kvo::Run().sObjItem = "Qi";
    kvo::Run().sObjDoc = "Qd";
    kvo::Run().sObjFolder = "Qf";
  }
  std::vector<std::string> Lines() const { return test::ReadLines(dir.Path() / "ExportExcel.log"); }
  test::TempDir dir;
  clsExportExcel oRun;
};

TEST_F(CaptionTablesTest, CaptionTableFollowsOrderAndSetupValues) {
  LoadConfig(Config(kFourCaptions));
  ASSERT_TRUE(oRun.FillExcellCap(
      SetupXml("STRUCTURE", "Qi", "<WHO>Ann</WHO><PROJ>P-1</PROJ><WHEN>yesterday</WHEN>")));
  const VariantTable& cap = kvo::Run().vExlCaption;
  ASSERT_EQ(cap.LastEntry(), 3);  // children without ORDER or with ORDER 0 are not captions
  EXPECT_EQ(cap(0, 0), "Prepared By");
  EXPECT_EQ(cap(1, 0), "Ann");
  EXPECT_EQ(cap(1, 1), "");  // missing from the setup string
  EXPECT_EQ(cap(1, 2), "P-1");
  EXPECT_NE(cap(1, 3), "yesterday");  // four fields: the last is the moment of the export
  EXPECT_TRUE(std::regex_match(cap(1, 3), std::regex(test::kDateTimePattern)));
  EXPECT_EQ(kvo::Run().iObjectType, 1);
  EXPECT_EQ(kvo::Run().iSpaceType, 1);
}

TEST_F(CaptionTablesTest, ThreeOrFiveCaptionFieldsKeepTheirSetupValues) {
  for (const std::string extra : {"", "<D ORDER='4'>d</D><E ORDER='5'>Extra</E>"}) {
    LoadConfig(Config("<A ORDER='1'>a</A><B ORDER='2'>b</B><C ORDER='3'>c</C>" + extra));
    ASSERT_TRUE(oRun.FillExcellCap(SetupXml("COLLECTION", "Qf", "<C>kept</C><E>also</E>")));
    EXPECT_EQ(kvo::Run().vExlCaption(1, 2), "kept");
    if (!extra.empty()) {
      EXPECT_EQ(kvo::Run().vExlCaption(1, 4), "also");
    }
    EXPECT_EQ(kvo::Run().iObjectType, 3);
    EXPECT_EQ(kvo::Run().iSpaceType, 2);
  }
}

TEST_F(CaptionTablesTest, SetupStringsThatAreRefused) {
  LoadConfig(Config(kFourCaptions));
  EXPECT_FALSE(oRun.FillExcellCap(SetupXml("collection", "Qi")));  // case-sensitive space type
  EXPECT_EQ(kvo::Run().iObjectType, 1);  // the object type was already taken
  EXPECT_FALSE(oRun.FillExcellCap(SetupXml("STRUCTURE", "qi")));
  EXPECT_FALSE(oRun.FillExcellCap(SetupXml("", "Qi")));
  EXPECT_FALSE(oRun.FillExcellCap(SetupXml("STRUCTURE", "")));
  EXPECT_FALSE(oRun.FillExcellCap("<not xml"));
  LoadConfig(Config(""));
  EXPECT_FALSE(oRun.FillExcellCap(SetupXml("STRUCTURE", "Qi")));  // no caption fields
  EXPECT_TRUE(Lines().empty());
}

TEST_F(CaptionTablesTest, DocumentObjectTypeFromTheConfiguredName) {
  LoadConfig(Config(kFourCaptions));
  ASSERT_TRUE(oRun.FillExcellCap(SetupXml("STRUCTURE", "Qd")));
  EXPECT_EQ(kvo::Run().iObjectType, 2);
}

TEST_F(CaptionTablesTest, ItemExportFillsFieldNamesTablesAndTags) {
  LoadConfig(Config(kFourCaptions, kItemSections));
  kvo::Run().iObjectType = 1;
  ASSERT_TRUE(oRun.FillAttrLabels());
  const RunState& run = kvo::Run();
  EXPECT_EQ(run.sItemCapFld1 + "|" + run.sItemCapFld2 + "|" + run.sItemCapFld3, "num|rev|desc");
  EXPECT_EQ(run.sDocCapFld3, "");  // a heading child without FIELD
  EXPECT_EQ(run.sDrawingCapFld2, "drev");
  EXPECT_EQ(run.sFolderCapFld2, "");  // no ORDER 2 child
  EXPECT_EQ(run.sItemMainFld3 + "|" + run.sItemMainFld5, "find|qty");
  EXPECT_EQ(run.sAltListFld1, "alt");
  EXPECT_EQ(run.sMnfCapFld3 + "|" + run.sVndCapFld2, "mpn|sname");
  ASSERT_EQ(run.vItemAttrLbl.LastEntry(), 1);
  EXPECT_EQ(run.vItemAttrLbl(0, 0), "Wy");
  EXPECT_EQ(run.vItemAttrLbl(1, 0), "fw");
  EXPECT_EQ(run.vItemAttrLbl(1, 1), "fx");
  EXPECT_EQ(run.vVndAttrLbl(1, 0), "lead");
  ASSERT_EQ(run.vAddTags.LastEntry(), 1);
  EXPECT_EQ(run.vAddTags(0, 0), "life");
  EXPECT_EQ(run.vAddTags(1, 0), "Life");
  EXPECT_EQ(run.vAddTags(2, 0), "");  // OWNER missing
  EXPECT_EQ(run.vAddTags(2, 1), "ITEM_PS_DEF");
}

TEST_F(CaptionTablesTest, ManufacturerSectionsAreNeededForItemsOnly) {
  LoadConfig(Config(kFourCaptions));
  kvo::Run().iObjectType = 3;
  EXPECT_TRUE(oRun.FillAttrLabels());
  EXPECT_EQ(kvo::Run().sFolderMainFld5, "owner");
  EXPECT_EQ(kvo::Run().vAddTags(0, 0), "proj");
  kvo::Run().iObjectType = 1;
  EXPECT_FALSE(oRun.FillAttrLabels());
  EXPECT_TRUE(Lines().empty());
}

TEST_F(CaptionTablesTest, MissingAdditionalTagsLeaveTheTableEmpty) {
  LoadConfig(Config(kFourCaptions));
  kvo::Run().iObjectType = 2;
  EXPECT_TRUE(oRun.FillAttrLabels());
  EXPECT_FALSE(kvo::Run().vAddTags.HoldsTable());
  EXPECT_EQ(kvo::Run().sDocMainFld6, "status");
}

TEST_F(CaptionTablesTest, AttributeListWithoutOrdersFailsTheLabels) {
  LoadConfig(Config(kFourCaptions, "", "<X FIELD='fx'>Ex</X><W FIELD='fw'>Wy</W>"));
  kvo::Run().iObjectType = 2;
  EXPECT_FALSE(oRun.FillAttrLabels());
  EXPECT_TRUE(Lines().empty());
}

TEST_F(CaptionTablesTest, ListedAttributeWithoutFieldIsLoggedAsRunError) {
  LoadConfig(Config(kFourCaptions, "", "<X ORDER='1'>Ex</X>"));
  kvo::Run().iObjectType = 2;
  EXPECT_FALSE(oRun.FillAttrLabels());
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_EQ(lines[0].rfind("Run error: Invalid use of Null", 0), 0u) << lines[0];
  EXPECT_NE(lines[0].find(" in kVoExportExcel:clsExportExcel[FillAttrLabelArray]"),
            std::string::npos);
}

TEST_F(CaptionTablesTest, NonNumericOrderIsLoggedByItsOperation) {
  LoadConfig(Config(kFourCaptions) + "");
  kvo::Run().oIniData = std::make_shared<clsXMLIniData>();
  std::string sErr;
  ASSERT_TRUE(kvo::Run().oIniData->LoadXString(
      "<c><EXL_CAPTION_LBL><A ORDER='1.5e99'>x</A></EXL_CAPTION_LBL></c>", sErr));
  EXPECT_FALSE(oRun.FillExcellCap(SetupXml("STRUCTURE", "Qi")));
  auto lines = Lines();
  ASSERT_EQ(lines.size(), 1u);
  EXPECT_NE(lines[0].find("Overflow 6 "), std::string::npos) << lines[0];
  EXPECT_NE(lines[0].find("[FillExcellCap]"), std::string::npos);
}

}  // namespace
}  // namespace kvo
