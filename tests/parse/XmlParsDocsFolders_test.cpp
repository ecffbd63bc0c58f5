// Document, drawing and folder records and their dataset structure errors.
#include <gtest/gtest.h>

#include "parse/ParseFixture.h"

namespace kvo::test {
namespace {

using ParseDocs = ParseFixture;

TEST_F(ParseDocs, DocumentFieldsComeFromItsOwnElement) {
  SetTable(kvo::Run().vDocAttrLbl, {{"Hue", "hue"}});
  SetTable(kvo::Run().vAddTags, {{"m5", "L1", "ITEM"}, {"zz", "L2", ""}});
  Parse(R"(<Root_Element><Zd dn="D1" dt="Desc" dr="B" m5="five" m6="six" hue="x"/>
    </Root_Element>)",
        2);
  ASSERT_EQ(kvo::Run().lMainUBound, 0);
  const ObjDoc& tDoc = kvo::Run().arrDocs[0];
  EXPECT_EQ(Texts(tDoc.tDoc), (std::vector<std::string>{"D1", "Desc", "B"}));
  EXPECT_EQ(tDoc.tDoc.vAttr, (std::vector<std::string>{"x"}));
  EXPECT_EQ(tDoc.sMainFld5, "five");
  EXPECT_EQ(tDoc.sMainFld6, "six");
  EXPECT_EQ(tDoc.vAddAttr, (std::vector<std::string>{"five", ""}));  // owner tag not looked at
  EXPECT_EQ(tDoc.tDoc.lFilesUB, -1);
  EXPECT_EQ(tDoc.lItemUB, -1);
}

TEST_F(ParseDocs, EmptyDatasetRelationKeepsItsSlotAndIsLoggedByPosition) {
  Parse(R"(<Root_Element><Zd dn="D1">
    <Zs><Blob path="a.pdf" bytes="10"/></Zs><Zs/><Zs><Blob path="c.pdf"/></Zs>
  </Zd></Root_Element>)",
        2);
  const DocStruct& tDoc = kvo::Run().arrDocs.at(0).tDoc;
  ASSERT_EQ(tDoc.lFilesUB, 2);
  ASSERT_EQ(tDoc.arrFiles.size(), 3u);
  EXPECT_EQ(tDoc.arrFiles[0].sFileName, "a.pdf");
  EXPECT_EQ(tDoc.arrFiles[0].vAttr, (std::vector<std::string>{"10"}));
  EXPECT_EQ(tDoc.arrFiles[1].sFileName, "");
  EXPECT_FALSE(tDoc.arrFiles[1].vAttr.has_value());
  EXPECT_EQ(tDoc.arrFiles[2].sFileName, "c.pdf");
  EXPECT_EQ(tDoc.arrFiles[2].vAttr, (std::vector<std::string>{""}));
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  ExpectDatedLine(vLines[0], "[S][set]1[of doc]D1[empty]");
}

TEST_F(ParseDocs, DrawingUsesDrawingNamesAndLogsAsADocument) {
  SetTable(kvo::Run().vDocAttrLbl, {{"Hue", "hue"}});
  Parse(R"(<Root_Element><Qx nr="A">
    <Dw><Zd wn="W1" wt="WD" wr="W" dn="D1" hue="x"><Zs><Other/></Zs></Zd></Dw>
  </Qx></Root_Element>)");
  const ObjItem& tItem = kvo::Run().arrItems.at(0);
  ASSERT_EQ(tItem.lDrawingUB, 0);
  const DrawingStruct& tDrawing = tItem.arrDrawing[0];
  EXPECT_EQ(Texts(tDrawing), (std::vector<std::string>{"W1", "WD", "W"}));
  EXPECT_FALSE(tDrawing.vAttr.has_value());  // no drawing attribute table
  EXPECT_EQ(tDrawing.lFilesUB, 0);
  const auto vLines = LogLines();
  ASSERT_EQ(vLines.size(), 1u);
  ExpectDatedLine(vLines[0], "[S][child]0[of doc]W1[not set]");
}

TEST_F(ParseDocs, FolderFieldsAndAdditionalAttributesComeFromTheFolderElement) {
  SetTable(kvo::Run().vAddTags, {{"extra", "L1", "ITEM"}});
  Parse(R"(<Root_Element><Bx fn="F1" ft="Desc" fr="R" f5="v5" extra="e"/></Root_Element>)", 3);
  const ObjFolder& tFolder = kvo::Run().arrFolders.at(0);
  EXPECT_EQ(Texts(tFolder.tFolder), (std::vector<std::string>{"F1", "Desc", "R"}));
  EXPECT_FALSE(tFolder.tFolder.vAttr.has_value());
  EXPECT_EQ(tFolder.sMainFld5, "v5");
  EXPECT_EQ(tFolder.vAddAttr, (std::vector<std::string>{"e"}));
}

}  // namespace
}  // namespace kvo::test
