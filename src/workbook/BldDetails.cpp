// The property panel: which main objects get a detail block, the defined name on each block's
// first row, the order of the sub-blocks per kind, and the child-document and child-folder
// sub-blocks.
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/BuilderLabels.h"
#include "config/Handled.h"
#include "config/LabelPaths.h"
#include "config/RunState.h"
#include "model/RunCodes.h"
#include "workbook/BldSupport.h"
#include "workbook/clsBldExcel.h"

namespace kvo {

using bld::SlotAt;

template <class Main>
void clsBldExcel::FillDetails(const std::vector<Main>& arrMain, std::int32_t& lRow,
                              void (clsBldExcel::*pFillBlock)(std::int32_t, std::int32_t&)) {
  // The blocks follow the rows of the main panel: every slot in structure mode, only the
  // top-level ones in collection mode.
  const RunState& run = Run();
  for (std::int32_t i = 0; i <= run.lMainUBound; ++i) {
    if (run.iSpaceType != kSpaceStructure && SlotAt(arrMain, i).lLevel != 0) continue;
    // A full sheet takes no further block.
    if (SheetFull()) break;
    (this->*pFillBlock)(i, lRow);
    if (!SheetFull()) ++lBlocksComplete;
  }
}

void clsBldExcel::FillItemsDetail(std::int32_t& lRow) {
  Guarded("FillItemsDetail",
          [&] { FillDetails(Run().arrItems, lRow, &clsBldExcel::FillItemDetail); });
}

void clsBldExcel::FillDocsDetail(std::int32_t& lRow) {
  Guarded("FillDocsDetail", [&] { FillDetails(Run().arrDocs, lRow, &clsBldExcel::FillDocDetail); });
}

void clsBldExcel::FillFoldersDetail(std::int32_t& lRow) {
  Guarded("FillFoldersDetail",
          [&] { FillDetails(Run().arrFolders, lRow, &clsBldExcel::FillFolderDetail); });
}

void clsBldExcel::FillItemDetail(std::int32_t lIndex, std::int32_t& lRow) {
  Guarded("FillItemDetail", [&] {
    const ObjItem& t = SlotAt(Run().arrItems, lIndex);
    Sheet().Names().Add(GetItemHyperlinkName(lIndex), Sheet().Rows(lRow));
    FillItem(t.tItem, lRow, 15, true);
    if (!t.sChildren.empty()) FillChild(lIndex, lRow);
    if (ReadableUB(t.arrDoc, t.lDocUB) >= 0) FillDocListForItem(lIndex, lRow);
    if (ReadableUB(t.arrDrawing, t.lDrawingUB) >= 0) FillDrawingListForItem(lIndex, lRow);
    if (ReadableUB(t.arrFolder, t.lFolderUB) >= 0) FillFolderListForItem(lIndex, lRow);
    FillManufacturAndSupp(lIndex, lRow);
  });
}

void clsBldExcel::FillDocDetail(std::int32_t lIndex, std::int32_t& lRow) {
  Guarded("FillDocDetail", [&] {
    const ObjDoc& t = SlotAt(Run().arrDocs, lIndex);
    Sheet().Names().Add(GetDocHyperlinkName(lIndex), Sheet().Rows(lRow));
    FillDoc(t.tDoc, lRow, lbl::kDocumentLbl, 15, true);
    if (ReadableUB(t.arrItem, t.lItemUB) >= 0) FillItemListForDoc(lIndex, lRow);
    if (ReadableUB(t.arrFolder, t.lFolderUB) >= 0) FillFolderListForDoc(lIndex, lRow);
    if (!t.sChildren.empty()) {
      std::string sList = t.sChildren;
      FillDocChild(sList, lRow);
    }
    if (ReadableUB(t.arrDoc, t.lDocUB) >= 0) FillDocListForDoc(lIndex, lRow);
  });
}

void clsBldExcel::FillFolderDetail(std::int32_t lIndex, std::int32_t& lRow) {
  Guarded("FillFolderDetail", [&] {
    const ObjFolder& t = SlotAt(Run().arrFolders, lIndex);
    Sheet().Names().Add(GetFolderHyperlinkName(lIndex), Sheet().Rows(lRow));
    FillFolder(t.tFolder, lRow, lbl::kFolderLbl, 15, true);
    if (!t.sChildren.empty()) {
      std::string sList = t.sChildren;
      FillFolderChild(sList, lRow);
    }
    if (ReadableUB(t.arrItem, t.lItemUB) >= 0) FillItemListForFolder(lIndex, lRow);
    if (ReadableUB(t.arrDoc, t.lDocUB) >= 0) FillDocListForFolder(lIndex, lRow);
    if (ReadableUB(t.arrFolder, t.lFolderUB) >= 0) FillFolderListForFolder(lIndex, lRow);
  });
}

void clsBldExcel::FillDocChild(std::string& sList, std::int32_t& lRow) {
  Guarded("FillDocChild", [&] {
    // No default text: the bar stays empty when the configuration has no such label.
    FillSubCaption(GetLabel(lbl::kChildDocsBar), lRow);
    for (std::int32_t j = 0; bld::FirstChild(sList, j); sList = bld::RestOfChildren(sList)) {
      FillDoc(SlotAt(Run().arrDocs, j).tDoc, lRow, lbl::kDocumentLbl, 0, false);
    }
  });
}

void clsBldExcel::FillFolderChild(std::string& sList, std::int32_t& lRow) {
  Guarded("FillFolderChild", [&] {
    FillSubCaption(GetLabel(lbl::kChildFoldersBar), lRow);
    for (std::int32_t j = 0; bld::FirstChild(sList, j); sList = bld::RestOfChildren(sList)) {
      FillFolder(SlotAt(Run().arrFolders, j).tFolder, lRow, lbl::kFolderLbl, 0, false);
    }
  });
}

}  // namespace kvo
