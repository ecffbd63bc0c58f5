// Manufacturers and suppliers of an item: the manufacturer list with the suppliers tied to each
// manufacturer by part number, the item-level suppliers, and the supplier state code.
#include "config/Handled.h"
#include "config/RunState.h"
#include "model/RunCodes.h"
#include "parse/SupplierRelations.h"
#include "parse/clsXMLPars.h"

namespace kvo {

namespace {

// A supplier relation with at most one child node is an item-level supplier; a second child
// ties it to a manufacturer.
bool IsItemLevelSupplier(const xml::Node& nRelation) {
  return !nRelation.HasChildNodes() || nRelation.FirstChild().NextSibling().IsNone();
}

}  // namespace

// The supplier relations are selected once per item and shared by every manufacturer and the
// item-level list.
std::int32_t clsXMLPars::FillMNFArray(const xml::Node& nItem, std::int32_t lSlot) {
  return Handled(kClassName, "FillMNFArray", -1, [&] {
    RunState& run = Run();
    ObjItem& tRecord = run.arrItems.at(static_cast<std::size_t>(lSlot));
    const xml::NodeList vRelations = nItem.SelectNodes(run.sObjItemMnf);
    const std::int32_t lUB = vRelations.Length() - 1;
    SupplierRelations tSuppliers(nItem);
    std::int16_t iState = 0;
    if (lUB >= 0) {
      tRecord.arrMnf.assign(static_cast<std::size_t>(lUB) + 1, MnfStruct{});
      for (std::int32_t m = 0; m <= lUB; ++m) {
        const xml::Node nRelation = vRelations.Item(m);
        MnfStruct& tMnf = tRecord.arrMnf[static_cast<std::size_t>(m)];
        if (nRelation.HasChildNodes()) {
          tMnf.sID = GetXAttr(nRelation.FirstChild(), run.sMnfCapFld1);
          tMnf.sName = GetXAttr(nRelation.FirstChild(), run.sMnfCapFld2);
        }
        tMnf.sMPN = GetXAttr(nRelation, run.sMnfCapFld3);
        FillXAttr2(nRelation, tMnf.vAttr, run.vMnfAttrLbl);
        tMnf.lVndUB = FillVNDOfMNF(tSuppliers, lSlot, m);
        MergeVndState(iState, tMnf.lVndUB < 0 ? kMnfWithoutSupplier : kMnfWithSupplier);
      }
    }
    tRecord.iVndState = iState;
    tRecord.lVndUB = FillVNDOfItem(tSuppliers, lSlot);
    return lUB;
  });
}

// Suppliers whose key attribute equals the manufacturer's part number, compared as text.
std::int32_t clsXMLPars::FillVNDOfMNF(SupplierRelations& tSuppliers, std::int32_t lSlot,
                                      std::int32_t lMnf) {
  return Handled(kClassName, "FillVNDOfMNF", -1, [&] {
    MnfStruct& tMnf = Run()
                          .arrItems.at(static_cast<std::size_t>(lSlot))
                          .arrMnf.at(static_cast<std::size_t>(lMnf));
    const std::vector<std::int32_t>& vTied = tSuppliers.TiedTo(tMnf.sMPN);
    if (vTied.empty()) return -1;
    tMnf.arrVnd.assign(vTied.size(), ObjStruct{});
    for (std::size_t i = 0; i < vTied.size(); ++i) {
      FillSupplier(tSuppliers.All().Item(vTied[i]), tMnf.arrVnd[i]);
    }
    return static_cast<std::int32_t>(vTied.size()) - 1;
  });
}

// Item-level suppliers are counted, in document order: every relation with at most one child.
std::int32_t clsXMLPars::FillVNDOfItem(SupplierRelations& tSuppliers, std::int32_t lSlot) {
  return Handled(kClassName, "FillVNDOfItem", -1, [&] {
    ObjItem& tRecord = Run().arrItems.at(static_cast<std::size_t>(lSlot));
    const xml::NodeList& vRelations = tSuppliers.All();
    std::vector<xml::Node> vItemLevel;
    for (const xml::Node& nRelation : vRelations) {
      if (IsItemLevelSupplier(nRelation)) vItemLevel.push_back(nRelation);
    }
    if (vItemLevel.empty()) return -1;
    tRecord.arrVnd.assign(vItemLevel.size(), ObjStruct{});
    for (std::size_t i = 0; i < vItemLevel.size(); ++i) {
      FillSupplier(vItemLevel[i], tRecord.arrVnd[i]);
    }
    return static_cast<std::int32_t>(vItemLevel.size()) - 1;
  });
}

// A relation without child nodes still gives its part number and attributes; the supplier's
// ID and name stay empty.
void clsXMLPars::FillSupplier(const xml::Node& nRelation, ObjStruct& tSupplier) {
  const RunState& run = Run();
  if (nRelation.HasChildNodes()) {
    tSupplier.sID = GetXAttr(nRelation.FirstChild(), run.sVndCapFld1);
    tSupplier.sDesc = GetXAttr(nRelation.FirstChild(), run.sVndCapFld2);
  }
  tSupplier.sRev = GetXAttr(nRelation, run.sVndCapFld3);
  FillXAttr2(nRelation, tSupplier.vAttr, run.vVndAttrLbl);
}

// The state is the set of the flags of every manufacturer seen.
void clsXMLPars::MergeVndState(std::int16_t& iState, std::int16_t iObservation) {
  iState = static_cast<std::int16_t>(iState | iObservation);
}

}  // namespace kvo
