// Document, drawing and folder records: the main records of the document and folder walks and
// the identity fillers that the relationship arrays reuse.  Documents and drawings share one
// filler over their own field names; both read their files (datasets) the same way.
#include "config/Handled.h"
#include "config/Log.h"
#include "config/RunState.h"
#include "parse/clsXMLPars.h"

namespace kvo {

// Field names, attribute table and operation name of one of the two document-like identities.
struct clsXMLPars::DocNames {
  const char* sOperation;
  std::string RunState::*sIdField;
  std::string RunState::*sDescField;
  std::string RunState::*sRevField;
  VariantTable RunState::*vAttrLabels;
};

void clsXMLPars::FillDocOfObjDoc(const xml::Node& nDoc, std::int32_t lSlot, std::int32_t lDepth) {
  Handled(kClassName, "FillDocOfObjDoc", [&] {
    RunState& run = Run();
    ObjDoc& tRecord = run.arrDocs.at(static_cast<std::size_t>(lSlot));
    tRecord.lLevel = lDepth;
    tRecord.sMainFld6 = GetXAttr(nDoc, run.sDocMainFld6);
    tRecord.sMainFld5 = GetXAttr(nDoc, run.sDocMainFld5);
    FillDocStruct(nDoc, tRecord.tDoc);
    if (run.vAddTags.HoldsTable()) FillAddAttrOfObjDoc(nDoc, lSlot);
    tRecord.lItemUB = FillItemArrayForDoc(nDoc, lSlot);
    tRecord.lFolderUB = FillFolderArrayForDoc(nDoc, lSlot);
    tRecord.lDocUB = FillDocArrayForDoc(nDoc, lSlot);
  });
}

void clsXMLPars::FillFoldOfObjFolder(const xml::Node& nFolder, std::int32_t lSlot,
                                     std::int32_t lDepth) {
  Handled(kClassName, "FillFoldOfObjFolder", [&] {
    RunState& run = Run();
    ObjFolder& tRecord = run.arrFolders.at(static_cast<std::size_t>(lSlot));
    tRecord.lLevel = lDepth;
    tRecord.sMainFld5 = GetXAttr(nFolder, run.sFolderMainFld5);
    FillFoldStruct(nFolder, tRecord.tFolder);
    if (run.vAddTags.HoldsTable()) FillAddAttrOfObjFold(nFolder, lSlot);
    tRecord.lItemUB = FillItemArrayForFold(nFolder, lSlot);
    tRecord.lDocUB = FillDocArrayForFold(nFolder, lSlot);
    tRecord.lFolderUB = FillFolderArrayForFolder(nFolder, lSlot);
  });
}

void clsXMLPars::FillDocStruct(const xml::Node& nDoc, DocStruct& tDoc) {
  static const DocNames kDocument{.sOperation = "FillDocStruct",
                                  .sIdField = &RunState::sDocCapFld1,
                                  .sDescField = &RunState::sDocCapFld3,
                                  .sRevField = &RunState::sDocCapFld2,
                                  .vAttrLabels = &RunState::vDocAttrLbl};
  FillDocFields(nDoc, tDoc, kDocument);
}

void clsXMLPars::FillDrawingStruct(const xml::Node& nDoc, DrawingStruct& tDrawing) {
  static const DocNames kDrawing{.sOperation = "FillDrawingStruct",
                                 .sIdField = &RunState::sDrawingCapFld1,
                                 .sDescField = &RunState::sDrawingCapFld3,
                                 .sRevField = &RunState::sDrawingCapFld2,
                                 .vAttrLabels = &RunState::vDrawingAttrLbl};
  FillDocFields(nDoc, tDrawing, kDrawing);
}

// Identity, attributes and files.  A dataset relation that holds no dataset element keeps its
// (empty) file slot and is logged with its zero-based position; drawings log as documents.
void clsXMLPars::FillDocFields(const xml::Node& nDoc, DocFields& tDoc, const DocNames& tNames) {
  Handled(kClassName, tNames.sOperation, [&] {
    const RunState& run = Run();
    tDoc.sID = GetXAttr(nDoc, run.*tNames.sIdField);
    tDoc.sDesc = GetXAttr(nDoc, run.*tNames.sDescField);
    tDoc.sRev = GetXAttr(nDoc, run.*tNames.sRevField);
    FillXAttr2(nDoc, tDoc.vAttr, run.*tNames.vAttrLabels);

    const xml::NodeList vDatasets = nDoc.SelectNodes(run.sObjDocDataset);
    const std::int32_t lCount = vDatasets.Length();
    tDoc.lFilesUB = lCount - 1;
    if (lCount > 0) tDoc.arrFiles.resize(static_cast<std::size_t>(lCount));
    for (std::int32_t i = 0; i < lCount; ++i) {
      const xml::Node nRelation = vDatasets.Item(i);
      if (!nRelation.HasChildNodes()) {
        WriteLogLine(NowText() + " " + run.sMsgErrorXmlStructure + run.sMsgDocDataset +
                         std::to_string(i) + run.sMsgOfDoc + tDoc.sID + run.sMsgHaventChildren,
                     run.sLogPath);
        continue;
      }
      const xml::Node nDataset = nRelation.FirstChild();
      if (nDataset.NodeName() != run.sObjDataset) {
        WriteLogLine(NowText() + " " + run.sMsgErrorXmlStructure + run.sMsgChildOfNode +
                         std::to_string(i) + run.sMsgOfDoc + tDoc.sID + run.sMsgNotDataset,
                     run.sLogPath);
        continue;
      }
      FileStruct& tFile = tDoc.arrFiles[static_cast<std::size_t>(i)];
      tFile.sFileName = GetXAttr(nDataset, run.sFldFileName);
      FillXAttr2(nDataset, tFile.vAttr, run.vFileAttrLbl);
    }
  });
}

void clsXMLPars::FillFoldStruct(const xml::Node& nFolder, ObjStruct& tFolder) {
  Handled(kClassName, "FillFoldStruct", [&] {
    const RunState& run = Run();
    tFolder.sID = GetXAttr(nFolder, run.sFolderCapFld1);
    tFolder.sDesc = GetXAttr(nFolder, run.sFolderCapFld3);
    tFolder.sRev = GetXAttr(nFolder, run.sFolderCapFld2);
    FillXAttr2(nFolder, tFolder.vAttr, run.vFolderAttrLbl);
  });
}

void clsXMLPars::FillAddAttrOfObjDoc(const xml::Node& nDoc, std::int32_t lSlot) {
  Handled(kClassName, "FillAddAttrOfObjDoc", [&] {
    ReadAddAttrOfElement(nDoc, Run().arrDocs.at(static_cast<std::size_t>(lSlot)).vAddAttr);
  });
}

void clsXMLPars::FillAddAttrOfObjFold(const xml::Node& nFolder, std::int32_t lSlot) {
  Handled(kClassName, "FillAddAttrOfObjFold", [&] {
    ReadAddAttrOfElement(nFolder, Run().arrFolders.at(static_cast<std::size_t>(lSlot)).vAddAttr);
  });
}

// Documents and folders read every additional attribute from their own element, whatever
// owner the tag table names.
void clsXMLPars::ReadAddAttrOfElement(const xml::Node& nObject, AttrList& vAddAttr) {
  const VariantTable& vTags = Run().vAddTags;
  const std::int32_t lLast = vTags.LastEntry();
  vAddAttr.emplace(static_cast<std::size_t>(lLast) + 1);
  for (std::int32_t i = 0; i <= lLast; ++i) {
    (*vAddAttr)[static_cast<std::size_t>(i)] = GetXAttr(nObject, vTags(0, i));
  }
}

}  // namespace kvo
