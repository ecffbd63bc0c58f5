// Item records: identity, structure-line values (quantity, find number, local alternates,
// grouped reference designators), additional attributes, then manufacturers, suppliers and
// the relationship arrays of the item.
#include <kvoexportexcel/IRefDesGrouper.h>
#include "config/Handled.h"
#include "config/LabelTables.h"
#include "config/RunState.h"
#include "parse/clsXMLPars.h"

namespace kvo {

// The filler works on the slot the walk has already made; nothing it calls grows arrItems, so
// the record reference stays valid throughout.
void clsXMLPars::FillItemOfObjItem(const xml::Node& nItem, std::int32_t lSlot,
                                   std::int32_t lDepth) {
  Handled(kClassName, "FillItemOfObjItem", [&] {
    RunState& run = Run();
    ObjItem& tRecord = run.arrItems.at(static_cast<std::size_t>(lSlot));
    const xml::Node nLine = nItem.ParentNode();
    if (lSlot > 0) {
      tRecord.sQty = GetXAttr(nLine, run.sItemMainFld5);
      tRecord.sFindNo = GetXAttr(nLine, run.sItemMainFld3);
    }
    tRecord.lLevel = lDepth;
    FillItemStruct(nItem, tRecord.tItem);
    tRecord.lLAIUB = -1;
    FillLAIAndRefDes(nLine, lSlot);
    // After the designators: an additional attribute may copy sRefDes.
    if (run.vAddTags.HoldsTable()) FillAddAttrOfObjItem(nItem, lSlot);
    tRecord.lMnfUB = FillMNFArray(nItem, lSlot);
    tRecord.lDocUB = FillDocArrayForItem(nItem, lSlot);
    tRecord.lDrawingUB = FillDrawingArrayForItem(nItem, lSlot);
    tRecord.lFolderUB = FillFolderArrayForItem(nItem, lSlot);
  });
}

void clsXMLPars::FillItemStruct(const xml::Node& nItem, ObjStruct& tItem) {
  Handled(kClassName, "FillItemStruct", [&] {
    const RunState& run = Run();
    tItem.sID = GetXAttr(nItem, run.sItemCapFld1);
    tItem.sDesc = GetXAttr(nItem, run.sItemCapFld3);
    tItem.sRev = GetXAttr(nItem, run.sItemCapFld2);
    FillXAttr2(nItem, tItem.vAttr, run.vItemAttrLbl);
  });
}

void clsXMLPars::FillAddAttrOfObjItem(const xml::Node& nItem, std::int32_t lSlot) {
  Handled(kClassName, "FillAddAttrOfObjItem", [&] {
    RunState& run = Run();
    ObjItem& tRecord = run.arrItems.at(static_cast<std::size_t>(lSlot));
    const VariantTable& vTags = run.vAddTags;
    const std::int32_t lLast = vTags.LastEntry();
    tRecord.vAddAttr.emplace(static_cast<std::size_t>(lLast) + 1);
    std::vector<std::string>& vValues = *tRecord.vAddAttr;
    for (std::int32_t i = 0; i <= lLast; ++i) {
      const std::string& sOwner = vTags(2, i);
      std::string& sValue = vValues[static_cast<std::size_t>(i)];
      if (sOwner == lbl::kOwnerItem) {
        sValue = GetXAttr(nItem, vTags(0, i));
      } else if (sOwner == lbl::kOwnerStructureLine) {
        if (lSlot > 0) sValue = GetXAttr(nItem.ParentNode(), vTags(0, i));
      } else if (sOwner == lbl::kOwnerRefDes) {
        sValue = tRecord.sRefDes;
      }
    }
  });
}

void clsXMLPars::FillLAIAndRefDes(const xml::Node& nLine, std::int32_t lSlot) {
  Handled(kClassName, "FillLAIAndRefDes", [&] {
    RunState& run = Run();
    ObjItem& tRecord = run.arrItems.at(static_cast<std::size_t>(lSlot));

    const xml::NodeList vAlternates =
        SelectBelowLine(nLine, run.sObjLocalAlternateItem, vRootAlternates_);
    if (vAlternates.Length() > 0) {
      tRecord.arrLAI.assign(static_cast<std::size_t>(vAlternates.Length()), ObjStruct{});
      for (std::int32_t i = 0; i < vAlternates.Length(); ++i) {
        tRecord.arrLAI[static_cast<std::size_t>(i)].sID =
            GetXAttr(vAlternates.Item(i), run.sAltListFld1);
      }
      tRecord.lLAIUB = vAlternates.Length() - 1;
    }

    const xml::NodeList vDesignatorNodes =
        SelectBelowLine(nLine, run.sObjRefDesDef, vRootDesignators_);
    if (vDesignatorNodes.Length() == 0) return;
    std::unique_ptr<IRefDesGrouper> oGrouper = CreateRefDesGrouper();
    std::vector<std::string> vDesignators;
    vDesignators.reserve(static_cast<std::size_t>(vDesignatorNodes.Length()));
    for (const xml::Node& nDesignator : vDesignatorNodes) {
      vDesignators.push_back(GetXAttr(nDesignator, run.sFldDesignationKey));
    }
    const std::vector<std::string> vGrouped = oGrouper->Group(vDesignators);
    std::string sRefDes;
    for (std::size_t i = 0; i < vGrouped.size(); ++i) {
      if (i > 0) sRefDes += ",";
      sRefDes += vGrouped[i];
    }
    tRecord.sRefDes = std::move(sRefDes);
  });
}

xml::NodeList clsXMLPars::SelectBelowLine(const xml::Node& nLine, const std::string& sPath,
                                          std::optional<xml::NodeList>& vRootCache) {
  if (nRoot_.IsNone() || !(nLine == nRoot_)) return nLine.SelectNodes(sPath);
  if (!vRootCache) vRootCache = nLine.SelectNodes(sPath);
  return *vRootCache;
}

}  // namespace kvo
