// Attribute grids (label and value pairs, filled column pair by column pair), the defined names
// of the detail blocks, and the links from the main-panel rows to those names.
#include <string>

#include "config/Handled.h"
#include "config/Log.h"
#include "config/RunState.h"
#include "config/TextConvert.h"
#include "model/RunCodes.h"
#include "workbook/BldSheetLayout.h"
#include "workbook/BldSupport.h"
#include "workbook/clsBldExcel.h"
#include "workbook/excel/Worksheet.h"

namespace kvo {

using bld::kMainFirstRow;
using bld::SlotAt;

namespace {

// The grid is six columns wide, two per attribute.
constexpr std::int32_t kGridColumns = 6;
constexpr std::int32_t kPairsPerRow = kGridColumns / 2;

template <class Main>
std::int32_t LevelAt(const std::vector<Main>& arrMain, std::int32_t lIndex) {
  return SlotAt(arrMain, lIndex).lLevel;
}

}  // namespace

void clsBldExcel::FillAttrByCol(const std::vector<std::string>& vAttrValues,
                                const VariantTable& vAttrLbl, std::int32_t lUBound,
                                std::int32_t& lRow) {
  Guarded("FillAttrByCol", [&] {
    const std::int64_t n = std::int64_t{lUBound} + 1;
    // Rows of the grid: the values divided by three, rounded up.
    const std::int64_t h = n / kPairsPerRow + (n % kPairsPerRow != 0 ? 1 : 0);
    const std::int32_t lTop = lRow;
    std::int32_t lCol = 1;
    for (std::int32_t i = 0; i <= lUBound; ++i) {
      // Down first: the next pair starts when the current pair's column is full.
      if (std::int64_t{lRow} > std::int64_t{lTop} + h - 1) {
        lRow = lTop;
        lCol += 2;
      }
      WriteLabel(lRow, lCol, vAttrLbl(0, i));
      WriteText(lRow, lCol + 1, SlotAt(vAttrValues, i));
      bld::Advance(lRow);
    }
    lRow = bld::RowAfter(lTop, h);
  });
}

std::string clsBldExcel::GetValidName(const std::string& sText) {
  return bld::GetValidName(sText);
}

std::string clsBldExcel::BlockName(const std::string& sID, const std::string& sRev,
                                   std::int32_t lIndex) const {
  const std::string sPrefix = "ID_";
  const std::string sSlot = "_" + std::to_string(lIndex);
  std::string sIdentity = GetValidName(sID + "_" + sRev);
  // A name the sheet cannot hold would cost the whole block; the identity part is shortened
  // instead.  The slot stays last, so names of different slots still differ.
  const std::size_t lMax = Sheet().MaxNameLength();
  const std::size_t lFixed = sPrefix.size() + sSlot.size();
  if (lFixed + sIdentity.size() > lMax) sIdentity.resize(lMax > lFixed ? lMax - lFixed : 0);
  return sPrefix + sIdentity + sSlot;
}

std::string clsBldExcel::GetItemHyperlinkName(std::int32_t lIndex) {
  return Guarded("GetItemHyperlinkName", "", [&] {
    const ObjStruct& t = SlotAt(Run().arrItems, lIndex).tItem;
    return BlockName(t.sID, t.sRev, lIndex);
  });
}

std::string clsBldExcel::GetDocHyperlinkName(std::int32_t lIndex) {
  return Guarded("GetDocHyperlinkName", "", [&] {
    const DocStruct& t = SlotAt(Run().arrDocs, lIndex).tDoc;
    return BlockName(t.sID, t.sRev, lIndex);
  });
}

std::string clsBldExcel::GetFolderHyperlinkName(std::int32_t lIndex) {
  return Guarded("GetFolderHyperlinkName", "", [&] {
    const ObjStruct& t = SlotAt(Run().arrFolders, lIndex).tFolder;
    return BlockName(t.sID, t.sRev, lIndex);
  });
}

std::string clsBldExcel::BlockNameOfKind(std::int32_t lIndex) {
  switch (Run().iObjectType) {
    case kObjectItems:
      return GetItemHyperlinkName(lIndex);
    case kObjectDocs:
      return GetDocHyperlinkName(lIndex);
    default:
      return GetFolderHyperlinkName(lIndex);
  }
}

bool clsBldExcel::HasBlock(const std::string& sName) const {
  // On a full sheet the blocks that were never written have no name to link to.
  return !SheetFull() || Sheet().Names().RefersTo(sName).has_value();
}

std::int32_t clsBldExcel::LevelOfSlot(std::int32_t lIndex) {
  const RunState& run = Run();
  switch (run.iObjectType) {
    case kObjectItems:
      return LevelAt(run.arrItems, lIndex);
    case kObjectDocs:
      return LevelAt(run.arrDocs, lIndex);
    default:
      return LevelAt(run.arrFolders, lIndex);
  }
}

void clsBldExcel::FillHyperlinkStruct() {
  std::int32_t lLinked = 0;
  Reported("FillHyperlinkStruct", [&] {
    const RunState& run = Run();
    if (run.iObjectType < kObjectItems || run.iObjectType > kObjectFolders) return;
    // Every slot has its row; column 2 holds the identifier beside the level.
    for (std::int32_t i = 0; i <= run.lMainUBound; ++i) {
      const std::string sName = BlockNameOfKind(i);
      if (!HasBlock(sName)) continue;
      Sheet().Hyperlinks().Add(Cell(bld::RowAfter(kMainFirstRow, i), 2), "", sName);
      ++lLinked;
    }
  });
  ReportObjectsWithoutLink(lLinked);
}

void clsBldExcel::FillHyperlinkCollect() {
  std::int32_t lLinked = 0;
  Reported("FillHyperlinkCollect", [&] {
    const RunState& run = Run();
    if (run.iObjectType < kObjectItems || run.iObjectType > kObjectFolders) return;
    // Only top-level objects have rows, the k-th of them in row kMainFirstRow + k, identifier in
    // column 1.
    std::int32_t k = 0;
    for (std::int32_t i = 0; i <= run.lMainUBound; ++i) {
      if (LevelOfSlot(i) != 0) continue;
      const std::string sName = BlockNameOfKind(i);
      if (HasBlock(sName)) {
        Sheet().Hyperlinks().Add(Cell(bld::RowAfter(kMainFirstRow, k), 1), "", sName);
        ++lLinked;
      }
      ++k;
    }
  });
  ReportObjectsWithoutLink(lLinked);
}

void clsBldExcel::ReportObjectsWithoutLink(std::int32_t lLinked) {
  // Only a sheet that holds no more links leaves objects without one.
  if (oExlSheet == nullptr || !Sheet().Hyperlinks().Full()) return;
  const std::int64_t lBlocks =
      SheetFull() ? static_cast<std::int64_t>(Sheet().Names().Count()) : ListedObjects();
  if (lBlocks <= lLinked) return;
  LogError(CountWas(lBlocks - lLinked, "object", "objects") +
               " left without a link: a sheet holds " + "at most " +
               GroupedNumber(static_cast<std::int64_t>(Sheet().Limits().linksPerSheet)) +
               " hyperlinks",
           "", -1, false);
}

std::int32_t clsBldExcel::ListedObjects() {
  const RunState& run = Run();
  std::int32_t lListed = 0;
  for (std::int32_t i = 0; i <= run.lMainUBound; ++i) {
    if (run.iSpaceType == kSpaceStructure || LevelOfSlot(i) == 0) ++lListed;
  }
  return lListed;
}

}  // namespace kvo
