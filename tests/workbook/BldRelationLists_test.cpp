// The nine relationship lists: caption, one block per entry, and the handler of each member.
#include "workbook/BldExcelProbe.h"

namespace kvo::test {
namespace {

// Every caption and head label differs from its built-in default.
const char* kMarkedConfig =
    "<cfg><PROPERTY_LBL>"
    "<ITEM_LBL><CAPTION_LBL>It*</CAPTION_LBL><ITEM_CAP_LBL><A ORDER='1'>It-ID</A></ITEM_CAP_LBL>"
    "</ITEM_LBL><DOCUMENT_LBL><CAPTION_LBL>Dc*</CAPTION_LBL>"
    "<REFERENCE_DOC_LBL>RDc*</REFERENCE_DOC_LBL><DOC_CAP_LBL><A ORDER='1'>Dc-ID</A></DOC_CAP_LBL>"
    "</DOCUMENT_LBL><DRAWING_LBL><CAPTION_LBL>Dw*</CAPTION_LBL>"
    "<DRAWING_CAP_LBL><A ORDER='1'>Dw-ID</A></DRAWING_CAP_LBL></DRAWING_LBL>"
    "<FOLDER_LBL><CAPTION_LBL>Fd*</CAPTION_LBL><REFERENCE_FOLDER_LBL>RFd*</REFERENCE_FOLDER_LBL>"
    "<FOLDER_CAP_LBL><A ORDER='1'>Fd-ID</A></FOLDER_CAP_LBL></FOLDER_LBL>"
    "</PROPERTY_LBL></cfg>";

// In the order of BldExcelProbe::ListOps: operation, configured and default caption and head.
const std::array<Row, 9> kMembers{
    Row{"FillDocListForItem", "Dc*", "Documents", "Dc-ID", "Doc. ID"},
    Row{"FillDrawingListForItem", "Dw*", "Drawings", "Dw-ID", "Drawing ID"},
    Row{"FillFolderListForItem", "Fd*", "Folders", "Fd-ID", "FLD ID"},
    Row{"FillItemListForDoc", "It*", "Items", "It-ID", "ID"},
    Row{"FillFolderListForDoc", "Fd*", "Folders", "Fd-ID", "FLD ID"},
    Row{"FillDocListForDoc", "RDc*", "Reference Documents", "Dc-ID", "Doc. ID"},
    Row{"FillItemListForFolder", "It*", "Items", "It-ID", "ID"},
    Row{"FillDocListForFolder", "Dc*", "Documents", "Dc-ID", "Doc. ID"},
    Row{"FillFolderListForFolder", "RFd*", "Reference Folders", "Fd-ID", "FLD ID"},
};

class BldRelationListsTest : public BldFixture {
 protected:
  // One main record per kind, each relation holding the one entry "E" (upper bound 0).
  void SetUp() override {
    BldFixture::SetUp();
    const ObjStruct tObj{"E", "", "", std::nullopt};
    DocStruct tDoc;
    tDoc.sID = "E", tDoc.lFilesUB = -1;
    DrawingStruct tDrawing;
    tDrawing.sID = "E", tDrawing.lFilesUB = -1;
    RunState& run = kvo::Run();
    run.arrItems = {MakeItem(0, "I")};
    run.arrItems[0].arrDoc = {tDoc}, run.arrItems[0].arrDrawing = {tDrawing};
    run.arrItems[0].arrFolder = {tObj};
    run.arrItems[0].lDocUB = run.arrItems[0].lDrawingUB = run.arrItems[0].lFolderUB = 0;
    run.arrDocs.resize(1);
    run.arrDocs[0].arrItem = {tObj}, run.arrDocs[0].arrFolder = {tObj};
    run.arrDocs[0].arrDoc = {tDoc};
    run.arrFolders.resize(1);
    run.arrFolders[0].arrItem = {tObj}, run.arrFolders[0].arrDoc = {tDoc};
    run.arrFolders[0].arrFolder = {tObj};
    InitSheet();
  }
};

TEST_F(BldRelationListsTest, EachMemberWritesItsCaptionAndOneBlockPerEntry) {
  std::int32_t lStart = 10;
  for (bool bMarked : {true, false}) {
    LoadConfig(bMarked ? kMarkedConfig : kBareConfig);
    for (std::size_t m = 0; m < kMembers.size(); ++m) {
      const Row& tMember = kMembers[m];
      SCOPED_TRACE(tMember[0] + (bMarked ? " configured" : " defaults"));
      kvo::Run().iObjectType = static_cast<std::int16_t>(m / 3 + 1);  // the owner's kind
      std::int32_t lRow = lStart;
      probe_.FillList(BldExcelProbe::ListOps()[m], 0, lRow);
      EXPECT_EQ(lRow, lStart + 3);  // caption, head row, one empty row
      ExpectRows({{lStart, {bMarked ? tMember[1] : tMember[2]}},
                  {lStart + 1, {bMarked ? tMember[3] : tMember[4], "E", "Revision"}},
                  {lStart + 2, Row(6, "")}});
      EXPECT_EQ(Sheet().MergeAreaAt(lStart, 1), (excel::Rect{lStart, 1, lStart, 6}));
      EXPECT_EQ(Sheet().EffectiveFormat(lStart, 6).borderBottom, excel::xlContinuous);
      // List entries carry neither lines nor the "Attributes" bar.
      EXPECT_EQ(Sheet().EffectiveFormat(lStart + 1, 1).borderTop, excel::xlLineStyleNone);
      lStart += 4;
    }
  }
  EXPECT_TRUE(LogLines().empty());
}

TEST_F(BldRelationListsTest, EachMemberLogsUnderItsOwnName) {
  for (std::size_t m = 0; m < kMembers.size(); ++m) {
    std::int32_t lRow = 50;
    probe_.FillList(BldExcelProbe::ListOps()[m], 3, lRow);  // no such main record
    EXPECT_EQ(lRow, 50);
    EXPECT_TRUE(LastLogFrom(kMembers[m][0])) << kMembers[m][0];
  }
}

}  // namespace
}  // namespace kvo::test
