// The structure walk and root recognition, observed through the main arrays and the log.
#include <gtest/gtest.h>

#include "parse/ParseFixture.h"

namespace kvo::test {
namespace {

class ParseWalk : public ParseFixture {
 protected:
  static std::vector<std::string> ItemIds() {
    std::vector<std::string> vIds;
    for (const ObjItem& tItem : kvo::Run().arrItems) vIds.push_back(tItem.tItem.sID);
    return vIds;
  }
  static std::vector<std::int32_t> ItemLevels() {
    std::vector<std::int32_t> vLevels;
    for (const ObjItem& tItem : kvo::Run().arrItems) vLevels.push_back(tItem.lLevel);
    return vLevels;
  }
};

TEST_F(ParseWalk, StructureModeGivesPreOrderSlotsOfTheFirstTopLevelObjectOnly) {
  Parse(R"(<Root_Element>
    <Qx nr="A">
      <Lnk><Qx nr="B"><Lnk><Qx nr="D"/></Lnk></Qx></Lnk>
      <Note/>
      <Lnk><Qx nr="C"/></Lnk>
    </Qx>
    <Qx nr="E"/>
  </Root_Element>)");
  EXPECT_EQ(ItemIds(), (std::vector<std::string>{"A", "B", "D", "C"}));
  EXPECT_EQ(ItemLevels(), (std::vector<std::int32_t>{0, 1, 2, 1}));
  EXPECT_EQ(kvo::Run().arrItems[0].sChildren, "1!3!");
  EXPECT_EQ(kvo::Run().arrItems[1].sChildren, "2!");
  EXPECT_EQ(kvo::Run().arrItems[2].sChildren, "");
  EXPECT_EQ(kvo::Run().lMainUBound, 3);
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(ParseWalk, CollectionModeTakesEveryTopLevelSiblingOfTheObjectKind) {
  Parse(R"(<Root_Element><Qx nr="A"/><Note/>
    <Qx nr="B"><Lnk><Qx nr="B1"/></Lnk><Lnk><Qx nr="B2"/></Lnk></Qx>
    <Qx nr="C"/></Root_Element>)",
        1, 2);
  EXPECT_EQ(ItemIds(), (std::vector<std::string>{"A", "B", "B1", "B2", "C"}));
  EXPECT_EQ(ItemLevels(), (std::vector<std::int32_t>{0, 0, 1, 1, 0}));
  EXPECT_EQ(kvo::Run().arrItems[1].sChildren, "2!3!");
  EXPECT_EQ(kvo::Run().arrItems[0].sChildren, "");
  EXPECT_EQ(kvo::Run().lMainUBound, 4);
}

TEST_F(ParseWalk, EmptyStructureLineIsLoggedAndEndsTheChildrenOfItsObject) {
  // B's first line is empty (B gets no children); A's second line is empty (C is not visited).
  Parse(R"(<Root_Element><Qx nr="A">
    <Lnk><Qx nr="B"><Lnk/><Lnk><Qx nr="X"/></Lnk></Qx></Lnk>
    <Lnk/>
    <Lnk><Qx nr="C"/></Lnk>
  </Qx></Root_Element>)");
  EXPECT_EQ(ItemIds(), (std::vector<std::string>{"A", "B"}));
  EXPECT_EQ(kvo::Run().arrItems[0].sChildren, "1!");
  EXPECT_EQ(kvo::Run().lMainUBound, 1);
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 2u);
  ExpectDatedLine(vLines[0], "[S]Lnk[of item]B[empty]");
  ExpectDatedLine(vLines[1], "[S]Lnk[of item]A[empty]");
}

TEST_F(ParseWalk, LineHoldingAnotherKindEndsTheChildrenSilently) {
  Parse(R"(<Root_Element><Qx nr="A"><Lnk><Qx nr="B"/></Lnk><Lnk><Zd dn="D"/></Lnk>
    <Lnk><Qx nr="C"/></Lnk></Qx></Root_Element>)");
  EXPECT_EQ(ItemIds(), (std::vector<std::string>{"A", "B"}));
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(ParseWalk, DocumentAndFolderWalksUseTheirOwnNamesAndMessages) {
  Parse(R"(<Root_Element><Zd dn="D0"><Zl><Zd dn="D1"/></Zl><Zl/></Zd></Root_Element>)", 2);
  ASSERT_EQ(kvo::Run().lMainUBound, 1);
  EXPECT_EQ(kvo::Run().arrDocs[1].tDoc.sID, "D1");
  EXPECT_EQ(kvo::Run().arrDocs[1].lLevel, 1);
  EXPECT_EQ(kvo::Run().arrDocs[0].sChildren, "1!");

  Parse(R"(<Root_Element><Bx fn="F0"><Bl/></Bx><Bx fn="F1"><Bl><Bx fn="F2"/></Bl></Bx>
    </Root_Element>)",
        3, 2);
  ASSERT_EQ(kvo::Run().lMainUBound, 2);
  EXPECT_EQ(kvo::Run().arrFolders[2].tFolder.sID, "F2");
  EXPECT_EQ(kvo::Run().arrFolders[1].sChildren, "2!");
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 2u);
  EXPECT_TRUE(vLines[0].ends_with(" [S]Zl[of doc]D0[empty]")) << vLines[0];
  ExpectDatedLine(vLines[1], "[S]Bl[of folder]F0[empty]");
}

TEST_F(ParseWalk, RootIsRecognisedByItsExactName) {
  Parse("<root_element><Qx nr=\"A\"/></root_element>");
  EXPECT_EQ(kvo::Run().lMainUBound, -1);
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"[S][root]"}));
}

TEST_F(ParseWalk, RootWithoutChildrenGivesNothingSilently) {
  Parse("<Root_Element/>");
  EXPECT_EQ(kvo::Run().lMainUBound, -1);
  EXPECT_TRUE(kvo::Run().arrItems.empty());
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(ParseWalk, FirstObjectOfAnotherKindThanTheRunIsAStructureError) {
  Parse("<Root_Element><Qx nr=\"A\"/></Root_Element>", 2);
  EXPECT_EQ(kvo::Run().lMainUBound, -1);
  EXPECT_TRUE(kvo::Run().arrDocs.empty());
  EXPECT_EQ(LogLines(), (std::vector<std::string>{"[S][first]QxKind"}));
}

TEST_F(ParseWalk, FailureInsideTheWalkLeavesTheBoundUnset) {
  kvo::Run().sObjItemPsDef = "Lnk[";  // not a valid selection
  Parse("<Root_Element><Qx nr=\"A\"/></Root_Element>");
  EXPECT_EQ(kvo::Run().lMainUBound, -1);
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  ExpectErrorLine(vLines[0], "FillXItemStruct");
}

}  // namespace
}  // namespace kvo::test
