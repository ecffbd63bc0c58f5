// The relationship arrays: nine fillers that copy the objects related to a main object into
// one of its arrays.  They share one algorithm; each row below names what its member differs
// in: the owner's main array, the relation path, the related element name, the array filled
// and the identity filler for each related object.
#include "config/Handled.h"
#include "config/RunState.h"
#include "parse/clsXMLPars.h"

namespace kvo {

template <class TOwner, class TRecord>
struct clsXMLPars::RelationKind {
  const char* sOperation;
  std::vector<TOwner> RunState::*arrMain;
  std::string RunState::*sRelationPath;
  std::string RunState::*sRelatedName;
  std::vector<TRecord> TOwner::*arrRelated;
  void (clsXMLPars::*fnFillIdentity)(const xml::Node&, TRecord&);
};

std::int32_t clsXMLPars::FillDocArrayForItem(const xml::Node& nItem, std::int32_t lSlot) {
  static const RelationKind<ObjItem, DocStruct> kKind{.sOperation = "FillDocArrayForItem",
                                                      .arrMain = &RunState::arrItems,
                                                      .sRelationPath = &RunState::sObjItemDoc,
                                                      .sRelatedName = &RunState::sObjDoc,
                                                      .arrRelated = &ObjItem::arrDoc,
                                                      .fnFillIdentity = &clsXMLPars::FillDocStruct};
  return FillRelationArray(kKind, nItem, lSlot);
}

std::int32_t clsXMLPars::FillDrawingArrayForItem(const xml::Node& nItem, std::int32_t lSlot) {
  // Drawings are document elements read with the drawing names.
  static const RelationKind<ObjItem, DrawingStruct> kKind{
      .sOperation = "FillDrawingArrayForItem",
      .arrMain = &RunState::arrItems,
      .sRelationPath = &RunState::sObjItemDrawing,
      .sRelatedName = &RunState::sObjDoc,
      .arrRelated = &ObjItem::arrDrawing,
      .fnFillIdentity = &clsXMLPars::FillDrawingStruct};
  return FillRelationArray(kKind, nItem, lSlot);
}

std::int32_t clsXMLPars::FillFolderArrayForItem(const xml::Node& nItem, std::int32_t lSlot) {
  static const RelationKind<ObjItem, ObjStruct> kKind{
      .sOperation = "FillFolderArrayForItem",
      .arrMain = &RunState::arrItems,
      .sRelationPath = &RunState::sObjItemFolder,
      .sRelatedName = &RunState::sObjFolder,
      .arrRelated = &ObjItem::arrFolder,
      .fnFillIdentity = &clsXMLPars::FillFoldStruct};
  return FillRelationArray(kKind, nItem, lSlot);
}

std::int32_t clsXMLPars::FillItemArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot) {
  static const RelationKind<ObjDoc, ObjStruct> kKind{.sOperation = "FillItemArrayForDoc",
                                                     .arrMain = &RunState::arrDocs,
                                                     .sRelationPath = &RunState::sObjDocItem,
                                                     .sRelatedName = &RunState::sObjItem,
                                                     .arrRelated = &ObjDoc::arrItem,
                                                     .fnFillIdentity = &clsXMLPars::FillItemStruct};
  return FillRelationArray(kKind, nDoc, lSlot);
}

std::int32_t clsXMLPars::FillFolderArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot) {
  static const RelationKind<ObjDoc, ObjStruct> kKind{.sOperation = "FillFolderArrayForDoc",
                                                     .arrMain = &RunState::arrDocs,
                                                     .sRelationPath = &RunState::sObjDocFolder,
                                                     .sRelatedName = &RunState::sObjFolder,
                                                     .arrRelated = &ObjDoc::arrFolder,
                                                     .fnFillIdentity = &clsXMLPars::FillFoldStruct};
  return FillRelationArray(kKind, nDoc, lSlot);
}

std::int32_t clsXMLPars::FillDocArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot) {
  static const RelationKind<ObjDoc, DocStruct> kKind{.sOperation = "FillDocArrayForDoc",
                                                     .arrMain = &RunState::arrDocs,
                                                     .sRelationPath = &RunState::sObjDocDoc,
                                                     .sRelatedName = &RunState::sObjDoc,
                                                     .arrRelated = &ObjDoc::arrDoc,
                                                     .fnFillIdentity = &clsXMLPars::FillDocStruct};
  return FillRelationArray(kKind, nDoc, lSlot);
}

std::int32_t clsXMLPars::FillItemArrayForFold(const xml::Node& nFolder, std::int32_t lSlot) {
  static const RelationKind<ObjFolder, ObjStruct> kKind{
      .sOperation = "FillItemArrayForFold",
      .arrMain = &RunState::arrFolders,
      .sRelationPath = &RunState::sObjFolderItem,
      .sRelatedName = &RunState::sObjItem,
      .arrRelated = &ObjFolder::arrItem,
      .fnFillIdentity = &clsXMLPars::FillItemStruct};
  return FillRelationArray(kKind, nFolder, lSlot);
}

std::int32_t clsXMLPars::FillDocArrayForFold(const xml::Node& nFolder, std::int32_t lSlot) {
  static const RelationKind<ObjFolder, DocStruct> kKind{
      .sOperation = "FillDocArrayForFold",
      .arrMain = &RunState::arrFolders,
      .sRelationPath = &RunState::sObjFolderDoc,
      .sRelatedName = &RunState::sObjDoc,
      .arrRelated = &ObjFolder::arrDoc,
      .fnFillIdentity = &clsXMLPars::FillDocStruct};
  return FillRelationArray(kKind, nFolder, lSlot);
}

std::int32_t clsXMLPars::FillFolderArrayForFolder(const xml::Node& nFolder, std::int32_t lSlot) {
  static const RelationKind<ObjFolder, ObjStruct> kKind{
      .sOperation = "FillFolderArrayForFolder",
      .arrMain = &RunState::arrFolders,
      .sRelationPath = &RunState::sObjFolderFolder,
      .sRelatedName = &RunState::sObjFolder,
      .arrRelated = &ObjFolder::arrFolder,
      .fnFillIdentity = &clsXMLPars::FillFoldStruct};
  return FillRelationArray(kKind, nFolder, lSlot);
}

// Slot i takes the i-th relation below the object; a relation that holds no element of the
// related kind keeps an empty slot, silently.  The related object's own relations are not
// followed.  Returns the upper bound, -1 when there is none or on failure.
template <class TOwner, class TRecord>
std::int32_t clsXMLPars::FillRelationArray(const RelationKind<TOwner, TRecord>& tKind,
                                           const xml::Node& nObject, std::int32_t lSlot) {
  return Handled(kClassName, tKind.sOperation, -1, [&] {
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
  });
}

}  // namespace kvo
