// Object blocks: child lists, the part list of an item, file rows and label fallbacks.
#include "workbook/BldExcelProbe.h"
#include "workbook/excel/store/Palette.h"

namespace kvo::test {
namespace {

class BldObjectBlocksTest : public BldFixture {
 protected:
  static DocStruct Doc(const std::string& sID) {
    DocStruct t;
    t.sID = sID, t.sRev = "r" + sID, t.sDesc = "d" + sID, t.lFilesUB = -1;
    return t;
  }
};

TEST_F(BldObjectBlocksTest, ChildListsStopAtTheLastBangAndAtABadToken) {
  kvo::Run().arrDocs.resize(8);
  for (int i = 0; i < 8; ++i) kvo::Run().arrDocs[i].tDoc = Doc("D" + std::to_string(i));
  InitSheet();
  std::int32_t lRow = 30;
  probe_.FillDocChild("4!7", lRow);
  EXPECT_EQ(lRow, 33);
  ExpectRows({{30, {"Child Documents"}},
              {31, {"Doc. ID", "D4", "Revision", "rD4", "Description", "dD4"}},
              {33, {"", ""}}});
  EXPECT_TRUE(LogLines().empty());

  lRow = 40;
  probe_.FillDocChild("4!x!7!", lRow);
  EXPECT_EQ(lRow, 43);
  ExpectRows({{41, {"Doc. ID", "D4"}}, {43, {"", ""}}});
  EXPECT_TRUE(LastLogFrom("FillDocChild"));
}

TEST_F(BldObjectBlocksTest, PartListTakesThreeRowsPerChildPlusAlternates) {
  std::vector<ObjItem> v{MakeItem(0, "T", "1!2!"), MakeItem(1, "A"), MakeItem(1, "B")};
  v[2].sRefDes = "R1,R2";
  v[2].arrLAI = {{"B-a", "", "", std::nullopt}, {"B-b", "", "", std::nullopt}};
  v[2].lLAIUB = 1;
  SetItems(v);
  InitSheet();
  std::int32_t lRow = 20;
  probe_.FillChild(0, lRow);
  EXPECT_EQ(lRow, 30);
  ExpectRows({{20, {"Part List"}},
              {21, {"Child", "A", "Find No", "fA", "Quantity", "qA"}},
              {22, {"Description", "dA", "Reference Designators", "", "", ""}},
              {23, Row(6, "")},
              {24, {"Child", "B"}},
              {25, {"Description", "dB", "Reference Designators", "R1,R2"}},
              {26, {"Local Alternative Items of Child", "", "B"}},
              {27, {"ALTERNATE ID", "B-a"}},
              {28, {"ALTERNATE ID", "B-b"}},
              {29, Row(6, "")}});
  EXPECT_EQ(Sheet().MergeAreaAt(20, 1), (excel::Rect{20, 1, 20, 6}));
  EXPECT_EQ(Sheet().MergeAreaAt(25, 4), (excel::Rect{25, 4, 25, 6}));
  EXPECT_EQ(Sheet().MergeAreaAt(26, 1), (excel::Rect{26, 1, 26, 2}));
  const auto lGrey40 = excel::SheetColor::Palette(48);
  EXPECT_EQ(Sheet().EffectiveFormat(26, 1).fontColor, lGrey40);
  EXPECT_EQ(Sheet().EffectiveFormat(26, 3).fontColor, lGrey40);
  EXPECT_TRUE(Sheet().EffectiveFormat(26, 1).italic);

  // A slot outside the array ends the part list after the children before it.
  kvo::Run().arrItems[0].sChildren = "1!99!2!";
  lRow = 40;
  probe_.FillChild(0, lRow);
  EXPECT_EQ(lRow, 44);
  EXPECT_EQ(Text(44, 2), "");
  EXPECT_TRUE(LastLogFrom("FillChild"));
}

TEST_F(BldObjectBlocksTest, EmptyFileSlotGetsItsRowButNoLink) {
  DocStruct tDoc = Doc("D1");
  tDoc.arrFiles = {{"a.pdf", Row{"12kB"}}, {"", std::nullopt}, {"dir/c b#.pdf", std::nullopt}};
  tDoc.lFilesUB = 2;
  InitSheet();
  std::int32_t lRow = 10;
  probe_.FillDoc(tDoc, lRow);
  EXPECT_EQ(lRow, 20);
  ExpectRows({{12, {"Files of Document"}},
              {13, {"File Name", "a.pdf"}},
              {14, {"Size", "12kB"}},
              {16, {"File Name", ""}},
              {18, {"File Name", "dir/c b#.pdf"}}});
  EXPECT_TRUE(Sheet().EffectiveFormat(12, 1).italic);
  const excel::Hyperlinks& links = Sheet().Hyperlinks();
  EXPECT_EQ(links.Count(), 2u);
  EXPECT_EQ(links.At(16, 2), nullptr);
  ASSERT_TRUE(links.At(13, 2) && links.At(18, 2));
  EXPECT_EQ(links.At(13, 2)->address, "a.pdf");
  EXPECT_EQ(links.At(18, 2)->address, "dir/c b#.pdf");
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(BldObjectBlocksTest, LabelsFallBackToTheirDefaults) {
  LoadConfig(kBareConfig);
  std::vector<ObjItem> v{MakeItem(0, "T", "1!"), MakeItem(1, "A")};
  v[0].arrDoc = {Doc("D")};
  v[0].arrDoc[0].arrFiles = {{"f.txt", std::nullopt}};
  v[0].arrDoc[0].lFilesUB = 0;
  v[0].arrDrawing = {{}}, v[0].arrFolder = {{}};
  v[0].lDocUB = v[0].lDrawingUB = v[0].lFolderUB = 0;
  v[1].arrLAI = {{"A-x", "", "", std::nullopt}};
  v[1].lLAIUB = 0;
  SetItems(v);
  ASSERT_TRUE(InitAndFill());
  ExpectRows({{4, {"Main Panel"}},
              {9, {"Property Panel"}},
              {10, {"ID", "T", "Revision", "rT", "Description", "dT"}},
              {11, {"Attributes"}},
              {13, {"Part List"}},
              {14, {"Child", "A", "Find No", "fA", "Quantity", "qA"}},
              {15, {"Description", "dA", "Reference Designators"}},
              {16, {"Local Alternative Items of Child", "", "A"}},
              {17, {"ALTERNATE ID", "A-x"}},
              {19, {"Documents"}},
              {20, {"Doc. ID", "D", "Revision"}},
              {22, {"Files of Document"}},
              {23, {"File Name", "f.txt"}},
              {25, {"Drawings"}},
              {26, {"Drawing ID", "", "Revision", "", "Description"}},
              {28, {"Folders"}},
              {29, {"FLD ID", "", "Revision", "", "Description"}},
              {31, {"ID", "A"}}});
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(BldObjectBlocksTest, LabelByIdAsksOnlyAfterAFoundNode) {
  Init();
  ASSERT_TRUE(kvo::Run().oIniData->SetCurNode("PROPERTY_LBL/ITEM_LBL/ITEM_CAP_LBL"));
  std::int32_t lLen = -1;
  probe_.CurNodeFound() = false;
  EXPECT_EQ(probe_.LabelByID(1, "Ident", lLen), "Ident");
  EXPECT_EQ(lLen, -1);
  probe_.CurNodeFound() = true;
  lLen = 0;
  EXPECT_EQ(probe_.LabelByID(3, "x", lLen), "Description");
  EXPECT_EQ(lLen, 11);
  EXPECT_EQ(probe_.LabelByID(9, "Gr\xC3\xB6\xC3\x9F", lLen), "Gr\xC3\xB6\xC3\x9F");
  EXPECT_EQ(lLen, 4);  // characters, not bytes

  kvo::Run().iObjectType = 2, kvo::Run().iSpaceType = 2;
  EXPECT_EQ(BldExcelProbe::GlobalPath(), "GLOBAL/DOC_COLLECTION");
  kvo::Run().iObjectType = 4;
  EXPECT_EQ(BldExcelProbe::GlobalPath(), "GLOBAL/");
}

}  // namespace
}  // namespace kvo::test
