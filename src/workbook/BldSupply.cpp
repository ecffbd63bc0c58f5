// Manufacturer and supplier blocks at the end of an item's detail block: the manufacturers
// without suppliers, the item's own suppliers, and the manufacturers with their suppliers.
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/BuilderLabels.h"
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

void clsBldExcel::FillSectionCaption(const lbl::Label& tCaption, std::int32_t& lRow) {
  FillSubCaption(GetLabel(tCaption), lRow);
}

void clsBldExcel::FillManufacturAndSupp(std::int32_t lIndex, std::int32_t& lRow) {
  Guarded("FillManufacturAndSupp", [&] {
    const ObjItem& tItem = SlotAt(Run().arrItems, lIndex);
    const std::int16_t iState = tItem.iVndState;
    if (ShowsSection(iState, kMnfWithoutSupplier)) {
      FillSectionCaption(lbl::kManufacturersBar, lRow);
      FillManufactur(tItem.arrMnf, tItem.lMnfUB, lRow, false);
    }
    if (ReadableUB(tItem.arrVnd, tItem.lVndUB) >= 0) {
      FillSectionCaption(lbl::kSuppliersBar, lRow);
      FillSuppliers(tItem.arrVnd, tItem.lVndUB, lRow, true);
    }
    if (ShowsSection(iState, kMnfWithSupplier)) {
      // This section's caption has no default text.
      FillSectionCaption(lbl::kMnfWithSuppliersBar, lRow);
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

      const auto& sHead = lbl::kMnfHead.sDefaults;
      SelectLabelNode(lbl::NodePath(lbl::kMnfHead));
      const std::int32_t r = lRow;
      WriteLabelledRow(r, GetLabelByID(1, sHead[0]), tMnf.sID, GetLabelByID(3, sHead[2]), tMnf.sMPN,
                       GetLabelByID(2, sHead[1]), tMnf.sName);
      lRow = bld::RowAfter(r, 1);
      FillAttributes(tMnf.vAttr, Run().vMnfAttrLbl, lRow);

      if (bWithSuppliers) {
        FillOwnerHeading(GetLabel(lbl::kSuppliersOfMnf), tMnf.sID, lRow);
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
      const auto& sHead = lbl::kVndHead.sDefaults;
      SelectLabelNode(lbl::NodePath(lbl::kVndHead));
      const std::int32_t r = lRow;
      WriteLabelledRow(r, GetLabelByID(1, sHead[0]), tVnd.sID, GetLabelByID(3, sHead[2]), tVnd.sRev,
                       GetLabelByID(2, sHead[1]), tVnd.sDesc);
      lRow = bld::RowAfter(r, 1);
      // Only the item's own suppliers show attributes, each followed by an empty row.
      if (bWithAttr) FillAttributes(tVnd.vAttr, Run().vVndAttrLbl, lRow);
    }
    // A manufacturer's suppliers are consecutive head rows with one empty row after them.
    if (!bWithAttr) Advance(lRow);
  });
}

}  // namespace kvo
