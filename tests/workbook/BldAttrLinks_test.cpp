// Attribute grids, block names and the links from main-panel rows to the blocks.
#include "workbook/BldExcelProbe.h"
#include "workbook/excel/NameRules.h"

namespace kvo::test {
namespace {

class BldAttrLinksTest : public BldFixture {
 protected:
  void SetUp() override {
    BldFixture::SetUp();
    SetTable(vLbl_, {{"L0"}, {"L1"}, {"L2"}, {"L3"}, {"L4"}, {"L5"}, {"L6"}});
  }
  VariantTable vLbl_;
};

TEST_F(BldAttrLinksTest, AttributeGridFillsColumnPairByColumnPair) {
  // Per value count: the grid's rows, each as label and value texts from column 1.
  const std::vector<std::pair<std::size_t, std::vector<Row>>> vCases{
      {1, {{"L0", "v0", "", ""}}},
      {3, {{"L0", "v0", "L1", "v1", "L2", "v2"}}},
      {4, {{"L0", "v0", "L2", "v2", "", ""}, {"L1", "v1", "L3", "v3", "", ""}}},
      {6, {{"L0", "v0", "L2", "v2", "L4", "v4"}, {"L1", "v1", "L3", "v3", "L5", "v5"}}},
      {7,
       {{"L0", "v0", "L3", "v3", "L6", "v6"},
        {"L1", "v1", "L4", "v4", "", ""},
        {"L2", "v2", "L5", "v5", "", ""}}},
  };
  InitSheet();
  std::int32_t lTop = 10;
  for (const auto& [n, vGrid] : vCases) {
    SCOPED_TRACE(n);
    Row vValues;
    for (std::size_t i = 0; i < n; ++i) vValues.push_back("v" + std::to_string(i));
    std::int32_t lRow = lTop;
    probe_.FillAttrByCol(vValues, vLbl_, lRow);
    EXPECT_EQ(lRow, lTop + static_cast<std::int32_t>(vGrid.size()));
    for (std::size_t k = 0; k < vGrid.size(); ++k)
      ExpectRow(lTop + static_cast<std::int32_t>(k), vGrid[k]);
    ExpectRow(lRow, Row(6, ""));
    EXPECT_TRUE(Sheet().EffectiveFormat(lTop, 1).bold);
    EXPECT_FALSE(Sheet().EffectiveFormat(lTop, 2).bold);
    lTop += 5;
  }
}

TEST_F(BldAttrLinksTest, ShortLabelTableStopsTheGridOnTheFailingRow) {
  InitSheet();
  VariantTable vFive;
  SetTable(vFive, {{"L0"}, {"L1"}, {"L2"}, {"L3"}, {"L4"}});
  std::int32_t lRow = 20;
  probe_.FillAttrByCol({"a", "b", "c", "d", "e", "f", "g"}, vFive, lRow);
  EXPECT_EQ(lRow, 22);  // value 5 would stand in row 22, column 3
  ExpectRows({{21, {"L1", "b", "L4", "e"}}, {22, {"L2", "c", "", ""}}});
  EXPECT_TRUE(LastLogFrom("FillAttrByCol"));
}

TEST_F(BldAttrLinksTest, ValidNamesKeepOnlyLettersDigitsAndUnderscore) {
  EXPECT_EQ(BldExcelProbe::GetValidName("AB c-1"), "AB_32c_451");
  EXPECT_EQ(BldExcelProbe::GetValidName("x_y.Z"), "x_y_46Z");
  EXPECT_EQ(BldExcelProbe::GetValidName("a[b^c"), "a_91b_94c");
  EXPECT_EQ(BldExcelProbe::GetValidName("\\]`"), "_92_93_96");
  EXPECT_EQ(BldExcelProbe::GetValidName("\xC3\x84\xE2\x82\xAC"), "_196_8364");  // A umlaut, euro
  EXPECT_EQ(BldExcelProbe::GetValidName("\xFF\xE2\x82Z"), "_255_226_130Z");     // broken UTF-8
}

TEST_F(BldAttrLinksTest, BlockNamesCarryTheSlot) {
  std::vector<ObjItem> v(6, MakeItem(0, "P-100"));
  for (ObjItem& t : v) t.tItem.sRev = "B";
  v[5].tItem.sID.clear(), v[5].tItem.sRev.clear();
  v[4].tItem.sID = std::string(300, 'W');
  SetItems(v);
  kvo::Run().arrDocs.resize(2);
  kvo::Run().arrDocs[1].tDoc.sID = "D 1";
  kvo::Run().arrFolders.resize(1);
  kvo::Run().arrFolders[0].tFolder.sRev = "^";
  InitSheet();
  EXPECT_EQ(probe_.ItemName(3), "ID_P_45100_B_3");
  EXPECT_EQ(probe_.ItemName(1), "ID_P_45100_B_1");
  EXPECT_EQ(probe_.ItemName(5), "ID___5");
  EXPECT_EQ(probe_.DocName(1), "ID_D_321__1");
  EXPECT_EQ(probe_.FolderName(0), "ID___94_0");
  // A name too long for the sheet keeps its prefix and its slot.
  const std::string sLong = probe_.ItemName(4);
  EXPECT_EQ(sLong.size(), Sheet().MaxNameLength());
  EXPECT_TRUE(sLong.starts_with("ID_WWW") && sLong.ends_with("W_4")) << sLong;
  EXPECT_EQ(probe_.DocName(7), "");
  EXPECT_TRUE(LastLogFrom("GetDocHyperlinkName"));
}

TEST_F(BldAttrLinksTest, MainPanelRowsLinkToTheirBlocks) {
  std::vector<ObjItem> v{MakeItem(0, "A", "1!"), MakeItem(1, "B"), MakeItem(0, "C")};
  v[2].tItem.sID = std::string(200, 'C');  // its name is shortened, its block kept
  // Structure: every slot in column 2; collection: slots 0 and 2 in rows 6 and 7, column 1.
  using Link = std::pair<std::size_t, std::int32_t>;  // slot, row
  for (const auto& [iSpace, lCol, vLinks] :
       {std::tuple{1, 2, std::vector<Link>{{0, 6}, {1, 7}, {2, 8}}},
        std::tuple{2, 1, std::vector<Link>{{0, 6}, {2, 7}}}}) {
    SCOPED_TRACE(iSpace);
    kvo::Run().iSpaceType = static_cast<std::int16_t>(iSpace);
    SetItems(v);
    clsBldExcel oBld;
    BldExcelProbe oProbe(oBld);
    ASSERT_TRUE(oBld.InitExl(dir_.Str("links" + std::to_string(iSpace) + ".xlsx")));
    ASSERT_TRUE(oBld.FillExlFile());
    const excel::Worksheet& s = oProbe.Sheet();
    EXPECT_EQ(s.Hyperlinks().Count(), vLinks.size());
    for (const auto& [lSlot, lRow] : vLinks) {
      const excel::Hyperlink* pLink = s.Hyperlinks().At(lRow, lCol);
      ASSERT_NE(pLink, nullptr) << lRow;
      EXPECT_TRUE(pLink->address.empty());
      EXPECT_EQ(pLink->subAddress, oProbe.ItemName(static_cast<std::int32_t>(lSlot)));
      EXPECT_EQ(s.ValueAt(lRow, lCol).text, v[lSlot].tItem.sID);
      const auto tBlock = s.Names().RefersTo(pLink->subAddress);
      ASSERT_TRUE(tBlock.has_value());
      EXPECT_EQ(s.ValueAt(tBlock->top, 2).text, v[lSlot].tItem.sID);
    }
  }
  EXPECT_TRUE(LogLines().empty());
}

}  // namespace
}  // namespace kvo::test
