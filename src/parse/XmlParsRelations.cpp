// The relationship arrays: nine fillers that copy the objects related to a main object into
// one of its arrays.  They share one algorithm; each row below names what its member differs
// in: the owner's main array, the relation path, the related element name, the array filled
// and the identity filler for each related object.
#include "config/Log.h"
#include "config/RunState.h"
#include "parse/clsXMLPars.h"

namespace kvo {

template <class TOwner, class TRecord>
struct clsXMLPars::RelationKind {
  const char* sSource;
  std::vector<TOwner> RunState::*arrMain;
  std::string RunState::*sRelationPath;
  std::string RunState::*sRelatedName;
  std::vector<TRecord> TOwner::*arrRelated;
  void (clsXMLPars::*fnFillIdentity)(const xml::Node&, TRecord&);
};

std::int32_t clsXMLPars::FillDocArrayForItem(const xml::Node& nItem, std::int32_t lSlot) {
  static const RelationKind<ObjItem, DocStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillDocArrayForItem]",
      &RunState::arrItems,
      &RunState::sObjItemDoc,
      &RunState::sObjDoc,
      &ObjItem::arrDoc,
      &clsXMLPars::FillDocStruct};
  return FillRelationArray(kKind, nItem, lSlot);
}

std::int32_t clsXMLPars::FillDrawingArrayForItem(const xml::Node& nItem, std::int32_t lSlot) {
  // Drawings are document elements read with the drawing names.
  static const RelationKind<ObjItem, DrawingStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillDrawingArrayForItem]",
      &RunState::arrItems,
      &RunState::sObjItemDrawing,
      &RunState::sObjDoc,
      &ObjItem::arrDrawing,
      &clsXMLPars::FillDrawingStruct};
  return FillRelationArray(kKind, nItem, lSlot);
}

std::int32_t clsXMLPars::FillFolderArrayForItem(const xml::Node& nItem, std::int32_t lSlot) {
  static const RelationKind<ObjItem, ObjStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillFolderArrayForItem]",
      &RunState::arrItems,
      &RunState::sObjItemFolder,
      &RunState::sObjFolder,
      &ObjItem::arrFolder,
      &clsXMLPars::FillFoldStruct};
  return FillRelationArray(kKind, nItem, lSlot);
}

std::int32_t clsXMLPars::FillItemArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot) {
  static const RelationKind<ObjDoc, ObjStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillItemArrayForDoc]",
      &RunState::arrDocs,
      &RunState::sObjDocItem,
      &RunState::sObjItem,
      &ObjDoc::arrItem,
      &clsXMLPars::FillItemStruct};
  return FillRelationArray(kKind, nDoc, lSlot);
}

std::int32_t clsXMLPars::FillFolderArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot) {
  static const RelationKind<ObjDoc, ObjStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillFolderArrayForDoc]",
      &RunState::arrDocs,
      &RunState::sObjDocFolder,
      &RunState::sObjFolder,
      &ObjDoc::arrFolder,
      &clsXMLPars::FillFoldStruct};
  return FillRelationArray(kKind, nDoc, lSlot);
}

std::int32_t clsXMLPars::FillDocArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot) {
  static const RelationKind<ObjDoc, DocStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillDocArrayForDoc]",
      &RunState::arrDocs,
      &RunState::sObjDocDoc,
      &RunState::sObjDoc,
      &ObjDoc::arrDoc,
      &clsXMLPars::FillDocStruct};
  return FillRelationArray(kKind, nDoc, lSlot);
}

std::int32_t clsXMLPars::FillItemArrayForFold(const xml::Node& nFolder, std::int32_t lSlot) {
  static const RelationKind<ObjFolder, ObjStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillItemArrayForFold]",
      &RunState::arrFolders,
      &RunState::sObjFolderItem,
      &RunState::sObjItem,
      &ObjFolder::arrItem,
      &clsXMLPars::FillItemStruct};
  return FillRelationArray(kKind, nFolder, lSlot);
}

std::int32_t clsXMLPars::FillDocArrayForFold(const xml::Node& nFolder, std::int32_t lSlot) {
  static const RelationKind<ObjFolder, DocStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillDocArrayForFold]",
      &RunState::arrFolders,
      &RunState::sObjFolderDoc,
      &RunState::sObjDoc,
      &ObjFolder::arrDoc,
      &clsXMLPars::FillDocStruct};
  return FillRelationArray(kKind, nFolder, lSlot);
}

std::int32_t clsXMLPars::FillFolderArrayForFolder(const xml::Node& nFolder, std::int32_t lSlot) {
  static const RelationKind<ObjFolder, ObjStruct> kKind{
      "kVoExportExcel:clsXMLPars[FillFolderArrayForFolder]",
      &RunState::arrFolders,
      &RunState::sObjFolderFolder,
      &RunState::sObjFolder,
      &ObjFolder::arrFolder,
      &clsXMLPars::FillFoldStruct};
  return FillRelationArray(kKind, nFolder, lSlot);
}

// Slot i takes the i-th relation below the object; a relation that holds no element of the
// related kind keeps an empty slot, silently.  The related object's own relations are not
// followed.  Returns the upper bound, -1 when there is none or on failure.
template <class TOwner, class TRecord>
std::int32_t clsXMLPars::FillRelationArray(const RelationKind<TOwner, TRecord>& tKind,
                                           const xml::Node& nObject, std::int32_t lSlot) {
  try {
    RunState& run = Run();
    const xml::NodeList vRelations = nObject.SelectNodes(run.*tKind.sRelationPath);
    const std::int32_t lUB = vRelations.Length() - 1;
    if (lUB < 0) return lUB;
    std::vector<TRecord>& arrRelated =
        (run.*tKind.arrMain).at(static_cast<std::size_t>(lSlot)).*tKind.arrRelated;
    arrRelated.assign(static_cast<std::size_t>(lUB) + 1, TRecord{});
    const std::string& sRelatedName = run.*tKind.sRelatedName;
    for (std::int32_t i = 0; i <= lUB; ++i) {
      const xml::Node nRelation = vRelations.Item(i);
      if (!nRelation.HasChildNodes()) continue;
      const xml::Node nRelated = nRelation.FirstChild();
      if (nRelated.NodeName() != sRelatedName) continue;
      (this->*tKind.fnFillIdentity)(nRelated, arrRelated[static_cast<std::size_t>(i)]);
    }
    return lUB;
  } catch (...) {
    LogRunError(tKind.sSource);
    return -1;
  }
}

}  // namespace kvo
