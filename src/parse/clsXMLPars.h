// The source parser: loads the exported XML document and walks its object structure into the
// export data model (the run-wide main array of the run's object kind and lMainUBound).
// Every element and attribute name comes from the configuration texts of the run state.
// Each operation has its own handler: it logs the failure under its own source name and
// returns its failure value, so a failing filler loses only its own part of the model.
#pragma once

#include <kvoexportexcel/XmlDom.h>

#include <cstdint>
#include <memory>
#include <optional>
#include <string>

#include "model/ExportModel.h"

namespace kvo {

class VariantTable;
class SupplierRelations;

class clsXMLPars {
 public:
  // Loads the source file into a new document (set even when loading fails); true without
  // parse error.  A parse error is logged as a dated line.
  bool LoadCurrentXML(std::shared_ptr<xml::Document>& doc, const std::string& sPath);
  // Fills the main array of the run's object kind from the loaded document and sets
  // lMainUBound; expects an empty main array and lMainUBound = -1.
  void MainXStruct(const std::shared_ptr<xml::Document>& doc);

 private:
  // What the three structure walks and the nine relationship fillers differ in.
  template <class TRecord>
  struct WalkKind;
  template <class TOwner, class TRecord>
  struct RelationKind;
  struct DocNames;

  // The document element when it has exactly this name, else none (clsXMLPars.cpp).
  xml::Node GetRoot(const std::shared_ptr<xml::Document>& doc, const std::string& sName);

  // The structure walk (XmlParsWalk.cpp).
  xml::Node GetNextSiblingDefNode(const xml::Node& nNode, const std::string& sName);
  void FillXItemStruct(const xml::Node& nFirst);
  void FillXDocStruct(const xml::Node& nFirst);
  void FillXFoldStruct(const xml::Node& nFirst);
  // Walks the structure from the first object into the main array of tKind and sets
  // lMainUBound; on failure logs under tKind's operation and leaves lMainUBound as it was.
  template <class TRecord>
  void WalkStructure(const xml::Node& nFirst, const WalkKind<TRecord>& tKind);
  // The walk's state and its descend, next-sibling and climb steps.
  template <class TRecord>
  class StructureWalk;

  // Item records (XmlParsItems.cpp).
  void FillItemOfObjItem(const xml::Node& nItem, std::int32_t lSlot, std::int32_t lDepth);
  void FillItemStruct(const xml::Node& nItem, ObjStruct& tItem);
  void FillAddAttrOfObjItem(const xml::Node& nItem, std::int32_t lSlot);
  void FillLAIAndRefDes(const xml::Node& nLine, std::int32_t lSlot);
  // Selection below a structure line; the root's, which every top-level object of a collection
  // reads, is made once per walk.
  xml::NodeList SelectBelowLine(const xml::Node& nLine, const std::string& sPath,
                                std::optional<xml::NodeList>& vRootCache);

  // Document, drawing and folder records (XmlParsDocsFolders.cpp).
  void FillDocOfObjDoc(const xml::Node& nDoc, std::int32_t lSlot, std::int32_t lDepth);
  void FillFoldOfObjFolder(const xml::Node& nFolder, std::int32_t lSlot, std::int32_t lDepth);
  void FillDocStruct(const xml::Node& nDoc, DocStruct& tDoc);
  void FillDrawingStruct(const xml::Node& nDoc, DrawingStruct& tDrawing);
  void FillDocFields(const xml::Node& nDoc, DocFields& tDoc, const DocNames& tNames);
  void FillFoldStruct(const xml::Node& nFolder, ObjStruct& tFolder);
  void FillAddAttrOfObjDoc(const xml::Node& nDoc, std::int32_t lSlot);
  void FillAddAttrOfObjFold(const xml::Node& nFolder, std::int32_t lSlot);
  // Every additional attribute read from the object element itself.
  static void ReadAddAttrOfElement(const xml::Node& nObject, AttrList& vAddAttr);

  // Relationship arrays (XmlParsRelations.cpp); each returns the array's upper bound.
  std::int32_t FillDocArrayForItem(const xml::Node& nItem, std::int32_t lSlot);
  std::int32_t FillDrawingArrayForItem(const xml::Node& nItem, std::int32_t lSlot);
  std::int32_t FillFolderArrayForItem(const xml::Node& nItem, std::int32_t lSlot);
  std::int32_t FillItemArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot);
  std::int32_t FillFolderArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot);
  std::int32_t FillDocArrayForDoc(const xml::Node& nDoc, std::int32_t lSlot);
  std::int32_t FillItemArrayForFold(const xml::Node& nFolder, std::int32_t lSlot);
  std::int32_t FillDocArrayForFold(const xml::Node& nFolder, std::int32_t lSlot);
  std::int32_t FillFolderArrayForFolder(const xml::Node& nFolder, std::int32_t lSlot);
  template <class TOwner, class TRecord>
  std::int32_t FillRelationArray(const RelationKind<TOwner, TRecord>& tKind,
                                 const xml::Node& nObject, std::int32_t lSlot);

  // Manufacturers and suppliers (XmlParsSuppliers.cpp).
  std::int32_t FillMNFArray(const xml::Node& nItem, std::int32_t lSlot);
  std::int32_t FillVNDOfMNF(SupplierRelations& tSuppliers, std::int32_t lSlot, std::int32_t lMnf);
  std::int32_t FillVNDOfItem(SupplierRelations& tSuppliers, std::int32_t lSlot);
  static void MergeVndState(std::int16_t& iState, std::int16_t iObservation);
  // Supplier identity from the supplier element, part number and attributes from the relation.
  void FillSupplier(const xml::Node& nRelation, ObjStruct& tSupplier);

  // Attribute reading (clsXMLPars.cpp).
  static std::string GetXAttr(const xml::Node& nElement, const std::string& sName);
  void FillXAttr2(const xml::Node& nElement, AttrList& vAttr, const VariantTable& vLabels);

  // Owner of the handlers' log lines.
  static constexpr const char* kClassName = "clsXMLPars";

  // The document element of the walk in progress and its line selections.
  xml::Node nRoot_;
  std::optional<xml::NodeList> vRootAlternates_;
  std::optional<xml::NodeList> vRootDesignators_;
};

}  // namespace kvo
