// The main panel: column captions and one row per listed main object, with the level column in
// structure mode and the additional-tag columns after the fixed ones.
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/Handled.h"
#include "config/LabelPaths.h"
#include "config/LabelTables.h"
#include "config/RunState.h"
#include "model/RunCodes.h"
#include "workbook/BldSupport.h"
#include "workbook/clsBldExcel.h"

namespace kvo {

using bld::SlotAt;

namespace {

// The main panel's caption list of the run's object kind; without a kind, the bare section.
std::string MainCaptionPath() {
  const RunState& run = Run();
  for (const lbl::KindKeys& tKind : lbl::kKindKeys) {
    if (run.sObjectType == run.*tKind.pObjectName)
      return std::string(lbl::kMainLbl) + "/" + tKind.sKey;
  }
  return std::string(lbl::kMainLbl) + "/";
}

}  // namespace

void clsBldExcel::FillMainPanelCaption(std::int32_t lRowNo) {
  Guarded("FillMainPanelCaption", [&] {
    const RunState& run = Run();
    std::int32_t lLast = -1;
    OrderTable arrOrder;
    const auto oList = IniData().GetOrderedAttrList(MainCaptionPath(), lLast, arrOrder);
    // Without a caption list not even the tag captions are written.
    if (lLast < 0 || !oList) return;

    // Collection mode has no level column, so caption 0 is left out.
    const bool bStructure = run.iSpaceType == kSpaceStructure;
    const std::int32_t lFirst = bStructure ? 0 : 1;
    const std::int32_t lShift = bStructure ? 1 : 0;
    for (std::int32_t i = lFirst; i <= lLast; ++i) {
      WriteText(lRowNo, i + lShift, oList->Item(arrOrder(0, i)).Text());
    }
    const std::int32_t k = lLast + 1 + lShift;
    if (run.vAddTags.HoldsTable()) {
      for (std::int32_t f = 0; f <= run.vAddTags.LastEntry(); ++f) {
        WriteText(lRowNo, k + f, run.vAddTags(1, f));
      }
    }
  });
}

template <class Main>
void clsBldExcel::FillMainPanelRows(const std::vector<Main>& arrMain, std::int32_t& lCount,
                                    std::int32_t lFirstRow,
                                    void (clsBldExcel::*pFillRow)(std::int32_t, std::int32_t,
                                                                  std::int32_t)) {
  const RunState& run = Run();
  const bool bStructure = run.iSpaceType == kSpaceStructure;
  std::int32_t k = 0;
  std::int32_t i = 0;
  try {
    for (; i <= run.lMainUBound && !SheetFull(); ++i) {
      const Main& tMain = SlotAt(arrMain, i);
      if (bStructure) {
        // Row lFirstRow + i always shows slot i; the level is a number.
        const std::int32_t lRow = bld::RowAfter(lFirstRow, i);
        Cell(lRow, 1).Value(static_cast<double>(tMain.lLevel));
        (this->*pFillRow)(lRow, 1, i);
      } else if (tMain.lLevel == 0) {
        (this->*pFillRow)(bld::RowAfter(lFirstRow, k), 0, i);
        ++k;
      }
    }
    lCount = bStructure ? i : k;
  } catch (...) {
    // The driver continues below as many rows as the loop had reached.
    lCount = i;
    throw;
  }
}

void clsBldExcel::FillMainPanelItems(std::int32_t& lCount, std::int32_t lFirstRow) {
  Guarded("FillMainPanelItems", [&] {
    FillMainPanelRows(Run().arrItems, lCount, lFirstRow, &clsBldExcel::FillMainPanelItem);
  });
}

void clsBldExcel::FillMainPanelDocs(std::int32_t& lCount, std::int32_t lFirstRow) {
  Guarded("FillMainPanelDocs", [&] {
    FillMainPanelRows(Run().arrDocs, lCount, lFirstRow, &clsBldExcel::FillMainPanelDoc);
  });
}

void clsBldExcel::FillMainPanelFolders(std::int32_t& lCount, std::int32_t lFirstRow) {
  Guarded("FillMainPanelFolders", [&] {
    FillMainPanelRows(Run().arrFolders, lCount, lFirstRow, &clsBldExcel::FillMainPanelFolder);
  });
}

void clsBldExcel::FillMainPanelItem(std::int32_t lRowNo, std::int32_t lColOffset,
                                    std::int32_t lIndex) {
  Guarded("FillMainPanelItem", [&] {
    const ObjItem& t = SlotAt(Run().arrItems, lIndex);
    FillMainPanelValues(lRowNo, lColOffset,
                        {&t.tItem.sID, &t.sFindNo, &t.tItem.sDesc, &t.sQty, &t.tItem.sRev},
                        t.vAddAttr);
  });
}

void clsBldExcel::FillMainPanelDoc(std::int32_t lRowNo, std::int32_t lColOffset,
                                   std::int32_t lIndex) {
  Guarded("FillMainPanelDoc", [&] {
    const ObjDoc& t = SlotAt(Run().arrDocs, lIndex);
    FillMainPanelValues(lRowNo, lColOffset,
                        {&t.tDoc.sID, &t.tDoc.sRev, &t.tDoc.sDesc, &t.sMainFld5, &t.sMainFld6},
                        t.vAddAttr);
  });
}

void clsBldExcel::FillMainPanelFolder(std::int32_t lRowNo, std::int32_t lColOffset,
                                      std::int32_t lIndex) {
  Guarded("FillMainPanelFolder", [&] {
    const ObjFolder& t = SlotAt(Run().arrFolders, lIndex);
    // Folders have four fixed values; their fifth column stays empty.
    FillMainPanelValues(lRowNo, lColOffset,
                        {&t.tFolder.sID, &t.tFolder.sRev, &t.tFolder.sDesc, &t.sMainFld5},
                        t.vAddAttr);
  });
}

void clsBldExcel::FillMainPanelValues(std::int32_t lRowNo, std::int32_t lColOffset,
                                      const std::vector<const std::string*>& vFixed,
                                      const AttrList& vAddAttr) {
  std::int32_t lCol = lColOffset + 1;
  for (const std::string* pValue : vFixed) WriteText(lRowNo, lCol++, *pValue);
  const VariantTable& vAddTags = Run().vAddTags;
  if (!vAddTags.HoldsTable()) return;
  for (std::int32_t u = 0; u <= vAddTags.LastEntry(); ++u) {
    WriteText(lRowNo, lColOffset + 6 + u, AttrAt(vAddAttr, u));
  }
}

}  // namespace kvo
