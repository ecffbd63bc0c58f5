// The nine relationship arrays: each member fills its own array with its own identity filler.
#include <gtest/gtest.h>

#include "parse/ParseFixture.h"

namespace kvo::test {
namespace {

using ParseRelations = ParseFixture;

TEST_F(ParseRelations, ItemRelationsKeepEmptyAndWrongKindSlots) {
  SetTable(kvo::Run().vDocAttrLbl, {{"Hue", "hue"}});
  Parse(R"(<Root_Element><Qx nr="A">
    <Pd><Zd dn="D" hue="h"><Zs><Blob path="d.pdf"/></Zs></Zd></Pd>
    <Pd><Bx fn="F"/></Pd>
    <Pd/>
    <Fi><Bx fn="F" ft="FD"/></Fi>
  </Qx></Root_Element>)");
  const ObjItem& tItem = kvo::Run().arrItems.at(0);
  ASSERT_EQ(tItem.lDocUB, 2);
  ASSERT_EQ(tItem.arrDoc.size(), 3u);
  EXPECT_EQ(tItem.arrDoc[0].sID, "D");
  EXPECT_EQ(tItem.arrDoc[0].vAttr, (std::vector<std::string>{"h"}));
  ASSERT_EQ(tItem.arrDoc[0].lFilesUB, 0);
  EXPECT_EQ(tItem.arrDoc[0].arrFiles[0].sFileName, "d.pdf");
  for (int i : {1, 2}) {
    EXPECT_EQ(tItem.arrDoc[i].sID, "");
    EXPECT_FALSE(tItem.arrDoc[i].vAttr.has_value());
  }
  EXPECT_EQ(tItem.lDrawingUB, -1);
  EXPECT_TRUE(tItem.arrDrawing.empty());
  ASSERT_EQ(tItem.lFolderUB, 0);
  EXPECT_EQ(tItem.arrFolder[0].sDesc, "FD");
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(ParseRelations, DocumentRelationsUseTheirOwnPathsAndFillers) {
  Parse(R"(<Root_Element><Zd dn="D0">
    <Zi><Qx nr="I" tx="ID" hue="h"/></Zi><Zf><Bx fn="F" fr="FR"/></Zf><Zz><Zd dn="D9"/></Zz>
  </Zd></Root_Element>)",
        2);
  const ObjDoc& tDoc = kvo::Run().arrDocs.at(0);
  ASSERT_EQ(tDoc.lItemUB, 0);
  EXPECT_EQ(tDoc.arrItem[0].sDesc, "ID");
  EXPECT_EQ(tDoc.arrItem[0].vAttr, (std::vector<std::string>{"h", ""}));
  ASSERT_EQ(tDoc.lFolderUB, 0);
  EXPECT_EQ(tDoc.arrFolder[0].sRev, "FR");
  ASSERT_EQ(tDoc.lDocUB, 0);
  EXPECT_EQ(tDoc.arrDoc[0].sID, "D9");
}

TEST_F(ParseRelations, FolderRelationsUseTheirOwnPathsAndFillers) {
  Parse(R"(<Root_Element><Bx fn="F0">
    <Bi><Qx nr="I"/></Bi><Bi><Qx nr="J"/></Bi><Bd><Zd dn="D"/></Bd><Bb><Bx fn="F9"/></Bb>
  </Bx></Root_Element>)",
        3);
  const ObjFolder& tFolder = kvo::Run().arrFolders.at(0);
  ASSERT_EQ(tFolder.lItemUB, 1);
  EXPECT_EQ(tFolder.arrItem[1].sID, "J");
  ASSERT_EQ(tFolder.lDocUB, 0);
  EXPECT_EQ(tFolder.arrDoc[0].sID, "D");
  EXPECT_EQ(tFolder.arrDoc[0].lFilesUB, -1);
  ASSERT_EQ(tFolder.lFolderUB, 0);
  EXPECT_EQ(tFolder.arrFolder[0].sID, "F9");
}

TEST_F(ParseRelations, FailingMemberLogsAndReturnsNoneWhileTheOthersRun) {
  kvo::Run().sObjItemDoc = "Pd[";
  Parse(R"(<Root_Element><Qx nr="A"><Pd/><Fi><Bx fn="F"/></Fi></Qx></Root_Element>)");
  const ObjItem& tItem = kvo::Run().arrItems.at(0);
  EXPECT_EQ(tItem.lDocUB, -1);
  EXPECT_EQ(tItem.lFolderUB, 0);
  EXPECT_EQ(kvo::Run().lMainUBound, 0);
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  ExpectErrorLine(vLines[0], "FillDocArrayForItem");
}

}  // namespace
}  // namespace kvo::test
