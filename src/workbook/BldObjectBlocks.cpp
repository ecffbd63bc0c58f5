// Object blocks: the head row and attributes of items, documents, drawings and folders, the file
// rows of documents and drawings, and the part list of an item with its local alternates.
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/BuilderLabels.h"
#include "config/Handled.h"
#include "config/LabelPaths.h"
#include "config/Log.h"
#include "config/RunState.h"
#include "config/TextConvert.h"
#include "model/RunCodes.h"
#include "workbook/BldSupport.h"
#include "workbook/clsBldExcel.h"

namespace kvo {

using bld::Advance;
using bld::SlotAt;

void clsBldExcel::FillHeadRow(const std::string& sLblPath, const lbl::OrderLabels& tHead,
                              const std::string& sID, const std::string& sRev,
                              const std::string& sDesc, std::int32_t& lRow,
                              std::int32_t lInteriorColor, bool bBorders) {
  SelectLabelNode(sLblPath + "/" + tHead.sNode);
  const std::int32_t r = lRow;
  FillCaption(r, 1, 6, lInteriorColor, 0, 0, 0, bBorders, false);
  WriteLabelledRow(r, GetLabelByID(1, tHead.sDefaults[0]), sID, GetLabelByID(2, tHead.sDefaults[1]),
                   sRev, GetLabelByID(3, tHead.sDefaults[2]), sDesc);
  lRow = bld::RowAfter(r, 1);
}

void clsBldExcel::FillAttributes(const AttrList& vAttr, const VariantTable& vAttrLbl,
                                 std::int32_t& lRow) {
  if (vAttr) FillAttrByCol(*vAttr, vAttrLbl, AttrUBound(vAttr), lRow);
  // One empty row under the attributes, or under the head when there are none.
  Advance(lRow);
}

void clsBldExcel::FillItem(const ObjStruct& tRec, std::int32_t& lRow, std::int32_t lInteriorColor,
                           bool bBorders) {
  FillHeadRow(lbl::kItemHead.sLblPath, lbl::kItemHead, tRec.sID, tRec.sRev, tRec.sDesc, lRow,
              lInteriorColor, bBorders);
  // Items carry the "Attributes" bar only in exports of items.
  if (Run().iObjectType == kObjectItems) FillAttrCaption(lRow);
  FillAttributes(tRec.vAttr, Run().vItemAttrLbl, lRow);
}

void clsBldExcel::FillFolder(const ObjStruct& tRec, std::int32_t& lRow, const std::string& sLblPath,
                             std::int32_t lInteriorColor, bool bBorders) {
  FillHeadRow(sLblPath, lbl::kFolderHead, tRec.sID, tRec.sRev, tRec.sDesc, lRow, lInteriorColor,
              bBorders);
  if (bBorders) FillAttrCaption(lRow);
  FillAttributes(tRec.vAttr, Run().vFolderAttrLbl, lRow);
}

void clsBldExcel::FillDoc(const DocStruct& tRec, std::int32_t& lRow, const std::string& sLblPath,
                          std::int32_t lInteriorColor, bool bBorders) {
  FillDocWithFiles(tRec, lRow, sLblPath, false, lInteriorColor, bBorders);
}

void clsBldExcel::FillDrawing(const DrawingStruct& tRec, std::int32_t& lRow,
                              const std::string& sLblPath, std::int32_t lInteriorColor,
                              bool bBorders) {
  FillDocWithFiles(tRec, lRow, sLblPath, true, lInteriorColor, bBorders);
}

void clsBldExcel::FillDocWithFiles(const DocFields& tRec, std::int32_t& lRow,
                                   const std::string& sLblPath, bool bDrawing,
                                   std::int32_t lInteriorColor, bool bBorders) {
  const RunState& run = Run();
  FillHeadRow(sLblPath, bDrawing ? lbl::kDrawingHead : lbl::kDocHead, tRec.sID, tRec.sRev,
              tRec.sDesc, lRow, lInteriorColor, bBorders);
  if (bBorders) FillAttrCaption(lRow);
  FillAttributes(tRec.vAttr, bDrawing ? run.vDrawingAttrLbl : run.vDocAttrLbl, lRow);

  if (ReadableUB(tRec.arrFiles, tRec.lFilesUB) < 0) return;
  SelectLabelNode(sLblPath);
  const std::int32_t r = lRow;
  // Unlike the sub-caption bars, the bar of the files sets its whole row bold italic.
  FillCaption(r, 1, 6, 0, 0, 0, 0, true, true);
  Sheet().Rows(r).Font().FontStyle("Bold Italic");
  const lbl::Label& tFilesBar = bDrawing ? lbl::kFilesOfDrawing : lbl::kFilesOfDocument;
  WriteText(r, 1, GetLabelByNode(tFilesBar.sName, tFilesBar.sDefault));
  lRow = bld::RowAfter(r, 1);
  FillFiles(tRec.arrFiles, tRec.lFilesUB, lRow);
}

void clsBldExcel::FillFiles(const std::vector<FileStruct>& arrFiles, std::int32_t lFilesUB,
                            std::int32_t& lRow) {
  Guarded("FillFiles", [&] {
    for (std::int32_t i = 0; i <= ReadableUB(arrFiles, lFilesUB); ++i) {
      const FileStruct& tFile = arrFiles[static_cast<std::size_t>(i)];
      const std::int32_t r = lRow;
      // The file label is fetched by path, whatever node the block selected.
      WriteLabel(r, 1, GetLabel(lbl::kFileName));
      if (tFile.sFileName.empty()) {
        // A dataset relation without a dataset: nothing to link to.
        WriteText(r, 2, "");
      } else {
        WriteFileName(r, 2, tFile.sFileName);
      }
      lRow = bld::RowAfter(r, 1);
      FillAttributes(tFile.vAttr, Run().vFileAttrLbl, lRow);
    }
  });
}

void clsBldExcel::WriteFileName(std::int32_t lRow, std::int32_t lCol, const std::string& sName) {
  excel::Hyperlinks& oLinks = Sheet().Hyperlinks();
  if (!oLinks.Full() && oLinks.TargetFits(sName, "")) {
    oLinks.Add(Cell(lRow, lCol), sName, "", "", sName);
    return;
  }
  // The name is kept as text; the file list goes on.
  WriteText(lRow, lCol, sName);
  if (oLinks.Full()) {
    ++lFilesWithoutLink;
    return;
  }
  LogError("File name " + sName + " is written without its link: a link's target holds at most " +
               GroupedNumber(static_cast<std::int64_t>(Sheet().Limits().linkAddressLength)) +
               " characters",
           "", -1, false);
}

void clsBldExcel::FillChild(std::int32_t lIndex, std::int32_t& lRow) {
  Guarded("FillChild", [&] {
    const std::vector<ObjItem>& arrItems = Run().arrItems;
    FillSubCaption(GetLabel(lbl::kPartListBar), lRow);

    std::string sList = SlotAt(arrItems, lIndex).sChildren;
    for (std::int32_t j = 0; bld::FirstChild(sList, j); sList = bld::RestOfChildren(sList)) {
      const ObjItem& tChild = SlotAt(arrItems, j);
      std::int32_t r = lRow;
      WriteLabel(r, 1, GetLabelByNode(lbl::kChild.sName, lbl::kChild.sDefault));
      WriteText(r, 2, tChild.tItem.sID);
      const auto& sLine = lbl::kChildLines.sDefaults;
      SelectLabelNode(lbl::NodePath(lbl::kChildLines));
      WriteLabel(r, 3, GetLabelByID(1, sLine[0]));
      WriteText(r, 4, tChild.sFindNo);
      WriteLabel(r, 5, GetLabelByID(2, sLine[1]));
      WriteText(r, 6, tChild.sQty);

      lRow = r = bld::RowAfter(r, 1);
      WriteLabel(r, 1, GetLabelByID(3, sLine[2]));
      WriteText(r, 2, tChild.tItem.sDesc);
      WriteLabel(r, 3, GetLabelByID(4, sLine[3]));
      FillCaption(r, 4, 6, 0, 0, 0, 0, false, true);
      WriteText(r, 4, tChild.sRefDes);
      lRow = bld::RowAfter(r, 1);

      if (ReadableUB(tChild.arrLAI, tChild.lLAIUB) >= 0) {
        FillOwnerHeading(GetLabel(lbl::kAlternatesHeading), tChild.tItem.sID, lRow);
        FillLAIOfChild2(j, lRow);
      }
      Advance(lRow);
      SelectLabelNode(lbl::kPartListLbl);
    }
  });
}

void clsBldExcel::FillLAIOfChild2(std::int32_t lIndex, std::int32_t& lRow) {
  Guarded("FillLAIOfChild2", [&] {
    const ObjItem& tChild = SlotAt(Run().arrItems, lIndex);
    for (std::int32_t k = 0; k <= ReadableUB(tChild.arrLAI, tChild.lLAIUB); ++k) {
      SelectLabelNode(lbl::NodePath(lbl::kAlternateLines));
      WriteLabel(lRow, 1, GetLabelByID(1, lbl::kAlternateLines.sDefaults[0]));
      WriteText(lRow, 2, tChild.arrLAI[static_cast<std::size_t>(k)].sID);
      Advance(lRow);
    }
  });
}

}  // namespace kvo
