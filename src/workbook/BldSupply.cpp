// Manufacturer and supplier blocks at the end of an item's detail block: the manufacturers
// without suppliers, the item's own suppliers, and the manufacturers with their suppliers.
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/Handled.h"
#include "config/LabelPaths.h"
#include "config/RunState.h"
#include "model/RunCodes.h"
#include "workbook/BldSupport.h"
#include "workbook/clsBldExcel.h"

namespace kvo {

using bld::Advance;
using bld::SlotAt;

namespace {

// A manufacturer section shows when the supplier state is its flag alone or both flags; other
// values, which the parser never sets, show neither.
bool ShowsSection(std::int16_t iState, std::int16_t iFlag) {
  return iState == iFlag || iState == kMnfBothKinds;
}

}  // namespace

void clsBldExcel::FillSectionCaption(const std::string& sNode, const std::string& sLabel,
                                     const std::string& sDefault, std::int32_t& lRow) {
  SelectLabelNode(sNode);
  FillSubCaption(GetLabelByNode(sLabel, sDefault), lRow);
}

void clsBldExcel::FillManufacturAndSupp(std::int32_t lIndex, std::int32_t& lRow) {
  Guarded("FillManufacturAndSupp", [&] {
    const ObjItem& tItem = SlotAt(Run().arrItems, lIndex);
    const std::int16_t iState = tItem.iVndState;
    if (ShowsSection(iState, kMnfWithoutSupplier)) {
      FillSectionCaption(lbl::kMnfLbl, "CAPTION_LBL", "Manufacturers", lRow);
      FillManufactur(tItem.arrMnf, tItem.lMnfUB, lRow, false);
    }
    if (ReadableUB(tItem.arrVnd, tItem.lVndUB) >= 0) {
      FillSectionCaption(lbl::kVndLbl, "CAPTION_LBL", "Suppliers", lRow);
      FillSuppliers(tItem.arrVnd, tItem.lVndUB, lRow, true);
    }
    if (ShowsSection(iState, kMnfWithSupplier)) {
      // This section's caption has no default text.
      FillSectionCaption(lbl::kMnfVndLbl, "MNF_CAP_LBL", "", lRow);
      FillManufactur(tItem.arrMnf, tItem.lMnfUB, lRow, true);
    }
  });
}

void clsBldExcel::FillManufactur(const std::vector<MnfStruct>& arrMnf, std::int32_t lMnfUB,
                                 std::int32_t& lRow, bool bWithSuppliers) {
  Guarded("FillManufactur", [&] {
    for (std::int32_t i = 0; i <= ReadableUB(arrMnf, lMnfUB); ++i) {
      const MnfStruct& tMnf = arrMnf[static_cast<std::size_t>(i)];
      // Each manufacturer belongs to exactly one of the two sections.
      const bool bHasSuppliers = ReadableUB(tMnf.arrVnd, tMnf.lVndUB) >= 0;
      if (bHasSuppliers != bWithSuppliers) continue;

      SelectLabelNode(lbl::kMnfCapLbl);
      const std::int32_t r = lRow;
      WriteLabelledRow(r, GetLabelByID(1, "Man. ID"), tMnf.sID, GetLabelByID(3, "MPN"), tMnf.sMPN,
                       GetLabelByID(2, "Name"), tMnf.sName);
      lRow = bld::RowAfter(r, 1);
      FillAttributes(tMnf.vAttr, Run().vMnfAttrLbl, lRow);

      if (bWithSuppliers) {
        SelectLabelNode(lbl::kMnfVndLbl);
        FillOwnerHeading(GetLabelByNode("VND_CAP_LBL", ""), tMnf.sID, lRow);
        FillSuppliers(tMnf.arrVnd, tMnf.lVndUB, lRow, false);
      }
    }
  });
}

void clsBldExcel::FillSuppliers(const std::vector<ObjStruct>& arrVnd, std::int32_t lVndUB,
                                std::int32_t& lRow, bool bWithAttr) {
  Guarded("FillSuppliers", [&] {
    for (std::int32_t i = 0; i <= ReadableUB(arrVnd, lVndUB); ++i) {
      const ObjStruct& tVnd = arrVnd[static_cast<std::size_t>(i)];
      SelectLabelNode(lbl::kVndCapLbl);
      const std::int32_t r = lRow;
      WriteLabelledRow(r, GetLabelByID(1, "Sup. ID"), tVnd.sID, GetLabelByID(3, "SPN"), tVnd.sRev,
                       GetLabelByID(2, "Name"), tVnd.sDesc);
      lRow = bld::RowAfter(r, 1);
      // Only the item's own suppliers show attributes, each followed by an empty row.
      if (bWithAttr) FillAttributes(tVnd.vAttr, Run().vVndAttrLbl, lRow);
    }
    // A manufacturer's suppliers are consecutive head rows with one empty row after them.
    if (!bWithAttr) Advance(lRow);
  });
}

}  // namespace kvo
