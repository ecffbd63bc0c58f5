// The main panel in structure and collection mode, for items, documents and folders.
#include "workbook/BldExcelProbe.h"

namespace kvo::test {
namespace {

class BldMainPanelTest : public BldFixture {
 protected:
  // One top item with three children, each with two additional-tag values.
  void ItemTreeWithTags() {
    SetTable(kvo::Run().vAddTags, {{"life", "Life", "ITEM"}, {"mount", "Mount", "ITEM_PS_DEF"}});
    std::vector<ObjItem> v{MakeItem(0, "T", "1!2!3!"), MakeItem(1, "A"), MakeItem(1, "B"),
                           MakeItem(1, "C")};
    for (ObjItem& t : v) t.vAddAttr = Row{"L" + t.tItem.sID, "M"};
    SetItems(v);
  }
};

TEST_F(BldMainPanelTest, StructureListsEverySlotWithItsLevelAsNumber) {
  ItemTreeWithTags();
  ASSERT_TRUE(InitAndFill());
  ExpectRows(
      {{5, {"Level", "ID", "Find No", "Description", "Quantity", "Revision", "Life", "Mount", ""}},
       {6, {"#", "T", "fT", "dT", "qT", "rT", "LT", "M", ""}},
       {9, {"#", "C", "fC"}},
       {11, {"Property Panel"}}});
  for (std::int32_t r = 6; r <= 9; ++r) {
    EXPECT_EQ(Sheet().ValueAt(r, 1), excel::CellValue::Number(r == 6 ? 0 : 1));
  }
}

TEST_F(BldMainPanelTest, CollectionListsTopLevelObjectsWithoutLevelColumn) {
  ItemTreeWithTags();
  kvo::Run().iSpaceType = 2;
  ASSERT_TRUE(InitAndFill());
  ExpectRows({{5, {"ID", "Find No", "Description", "Quantity", "Revision", "Life", "Mount", ""}},
              {6, {"T", "fT", "dT", "qT", "rT", "LT", "M", ""}},
              {7, {""}},
              {8, {"Property Panel"}}});
}

TEST_F(BldMainPanelTest, DocumentAndFolderColumns) {
  RunState& run = kvo::Run();
  run.iObjectType = 2, run.iSpaceType = 2, run.sObjectType = "Document";
  run.arrDocs.resize(1);
  run.arrDocs[0].tDoc.sID = "D1", run.arrDocs[0].tDoc.sRev = "B", run.arrDocs[0].tDoc.sDesc = "d";
  run.arrDocs[0].sMainFld5 = "Datasheet", run.arrDocs[0].sMainFld6 = "Released";
  run.lMainUBound = 0;
  ASSERT_TRUE(InitAndFill());
  ExpectRows({{5, {"Doc. ID", "Revision", "Description", "Document Type", "Status", ""}},
              {6, {"D1", "B", "d", "Datasheet", "Released", ""}}});

  // A folder row in structure mode leaves column F empty; its tag value stands in G.
  run.iObjectType = 3, run.iSpaceType = 1, run.sObjectType = "Folder";
  SetTable(run.vAddTags, {{"proj", "Project", "FOLDER"}});
  run.arrFolders.resize(1);
  run.arrFolders[0].tFolder = {"F1", "fd", "A", std::nullopt};
  run.arrFolders[0].sMainFld5 = "ann", run.arrFolders[0].vAddAttr = Row{"X-1"};
  clsBldExcel oBld;
  BldExcelProbe oProbe(oBld);
  ASSERT_TRUE(oBld.InitExl(dir_.Str("folders.xlsx")));
  ASSERT_TRUE(oBld.FillExlFile());
  const excel::Worksheet& s = oProbe.Sheet();
  EXPECT_EQ(s.ValueAt(5, 7).text, "Project");
  for (const auto& [c, sText] : std::vector<std::pair<int, std::string>>{
           {2, "F1"}, {3, "A"}, {4, "fd"}, {5, "ann"}, {6, ""}, {7, "X-1"}}) {
    EXPECT_EQ(s.ValueAt(6, c).text, sText) << c;
  }
}

TEST_F(BldMainPanelTest, NoCaptionRowWithoutMainLabelList) {
  LoadConfig(kBareConfig);
  ItemTreeWithTags();
  ASSERT_TRUE(InitAndFill());
  ExpectRow(5, Row(8, ""));
  EXPECT_EQ(Text(6, 2), "T");
}

TEST_F(BldMainPanelTest, MissingTagValuesLoseOnlyTheirOwnColumns) {
  ItemTreeWithTags();
  kvo::Run().arrItems[1].vAddAttr.reset();
  ASSERT_TRUE(InitAndFill());
  ExpectRows({{7, {"#", "A", "fA", "dA", "qA", "rA", "", ""}},
              {8, {"#", "B", "fB", "dB", "qB", "rB", "LB", "M"}}});
  ASSERT_EQ(LogLines().size(), 1u);
  EXPECT_TRUE(LastLogFrom("FillMainPanelItem"));
}

}  // namespace
}  // namespace kvo::test
