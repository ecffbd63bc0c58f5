// Relationship lists inside a detail block: a sub-caption bar and one object block per related
// object.  The nine lists are one family; the table below holds all that tells them apart.
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/Handled.h"
#include "config/LabelPaths.h"
#include "config/RunState.h"
#include "workbook/BldSupport.h"
#include "workbook/clsBldExcel.h"

namespace kvo {

using bld::SlotAt;

namespace bld {

// What tells one list from another: the operation name its handler logs, the main array and
// the relation array it reads, how its caption is found, and the label path of its blocks.
template <class Main, class Rec>
struct RelationList {
  const char* sOperation;
  std::vector<Main> RunState::*pMainArray;
  std::vector<Rec> Main::*pArray;
  std::int32_t Main::*pUB;
  // Node selected before the caption look-up; nullptr when the caption is fetched by path.
  const char* sCaptionNode = nullptr;
  // Label under that node, or the caption's whole path.
  const char* sCaption;
  const char* sDefault;
  // Label path of the entry blocks; nullptr for item entries, which use the item head.
  const char* sEntryLblPath = nullptr;
};

}  // namespace bld

template <class Main, class Rec>
void clsBldExcel::FillRelationList(const bld::RelationList<Main, Rec>& tList, std::int32_t lIndex,
                                   std::int32_t& lRow) {
  Guarded(tList.sOperation, [&] {
    const Main& tMain = SlotAt(Run().*tList.pMainArray, lIndex);
    const std::vector<Rec>& arr = tMain.*tList.pArray;

    std::string sCaption;
    if (tList.sCaptionNode != nullptr) {
      SelectLabelNode(tList.sCaptionNode);
      sCaption = GetLabelByNode(tList.sCaption, tList.sDefault);
    } else {
      sCaption = GetLabelByPath(tList.sCaption, tList.sDefault);
    }
    FillSubCaption(sCaption, lRow);

    // Entries carry neither fill nor lines; each block leaves one empty row under itself.
    const std::string sEntryPath = tList.sEntryLblPath ? tList.sEntryLblPath : "";
    for (std::int32_t k = 0; k <= ReadableUB(arr, tMain.*tList.pUB); ++k) {
      FillListEntry(arr[static_cast<std::size_t>(k)], sEntryPath, lRow);
    }
  });
}

void clsBldExcel::FillListEntry(const ObjStruct& tRec, const std::string& sLblPath,
                                std::int32_t& lRow) {
  if (sLblPath.empty()) {
    FillItem(tRec, lRow, 0, false);
  } else {
    FillFolder(tRec, lRow, sLblPath, 0, false);
  }
}

void clsBldExcel::FillListEntry(const DocStruct& tRec, const std::string& sLblPath,
                                std::int32_t& lRow) {
  FillDoc(tRec, lRow, sLblPath, 0, false);
}

void clsBldExcel::FillListEntry(const DrawingStruct& tRec, const std::string& sLblPath,
                                std::int32_t& lRow) {
  FillDrawing(tRec, lRow, sLblPath, 0, false);
}

namespace {

using lbl::kDocumentLbl;
using lbl::kDrawingLbl;
using lbl::kFolderLbl;
using lbl::kItemCaptionLbl;
template <class Main, class Rec>
using List = bld::RelationList<Main, Rec>;

const List<ObjItem, DocStruct> kDocsOfItem{.sOperation = "FillDocListForItem",
                                           .pMainArray = &RunState::arrItems,
                                           .pArray = &ObjItem::arrDoc,
                                           .pUB = &ObjItem::lDocUB,
                                           .sCaptionNode = kDocumentLbl,
                                           .sCaption = "CAPTION_LBL",
                                           .sDefault = "Documents",
                                           .sEntryLblPath = kDocumentLbl};
const List<ObjItem, DrawingStruct> kDrawingsOfItem{.sOperation = "FillDrawingListForItem",
                                                   .pMainArray = &RunState::arrItems,
                                                   .pArray = &ObjItem::arrDrawing,
                                                   .pUB = &ObjItem::lDrawingUB,
                                                   .sCaptionNode = kDrawingLbl,
                                                   .sCaption = "CAPTION_LBL",
                                                   .sDefault = "Drawings",
                                                   .sEntryLblPath = kDrawingLbl};
const List<ObjItem, ObjStruct> kFoldersOfItem{.sOperation = "FillFolderListForItem",
                                              .pMainArray = &RunState::arrItems,
                                              .pArray = &ObjItem::arrFolder,
                                              .pUB = &ObjItem::lFolderUB,
                                              .sCaptionNode = kFolderLbl,
                                              .sCaption = "CAPTION_LBL",
                                              .sDefault = "Folders",
                                              .sEntryLblPath = kFolderLbl};
const List<ObjDoc, ObjStruct> kItemsOfDoc{.sOperation = "FillItemListForDoc",
                                          .pMainArray = &RunState::arrDocs,
                                          .pArray = &ObjDoc::arrItem,
                                          .pUB = &ObjDoc::lItemUB,
                                          .sCaption = kItemCaptionLbl,
                                          .sDefault = "Items"};
const List<ObjDoc, ObjStruct> kFoldersOfDoc{.sOperation = "FillFolderListForDoc",
                                            .pMainArray = &RunState::arrDocs,
                                            .pArray = &ObjDoc::arrFolder,
                                            .pUB = &ObjDoc::lFolderUB,
                                            .sCaptionNode = kFolderLbl,
                                            .sCaption = "CAPTION_LBL",
                                            .sDefault = "Folders",
                                            .sEntryLblPath = kFolderLbl};
const List<ObjDoc, DocStruct> kDocsOfDoc{.sOperation = "FillDocListForDoc",
                                         .pMainArray = &RunState::arrDocs,
                                         .pArray = &ObjDoc::arrDoc,
                                         .pUB = &ObjDoc::lDocUB,
                                         .sCaptionNode = kDocumentLbl,
                                         .sCaption = "REFERENCE_DOC_LBL",
                                         .sDefault = "Reference Documents",
                                         .sEntryLblPath = kDocumentLbl};
const List<ObjFolder, ObjStruct> kItemsOfFolder{.sOperation = "FillItemListForFolder",
                                                .pMainArray = &RunState::arrFolders,
                                                .pArray = &ObjFolder::arrItem,
                                                .pUB = &ObjFolder::lItemUB,
                                                .sCaption = kItemCaptionLbl,
                                                .sDefault = "Items"};
const List<ObjFolder, DocStruct> kDocsOfFolder{.sOperation = "FillDocListForFolder",
                                               .pMainArray = &RunState::arrFolders,
                                               .pArray = &ObjFolder::arrDoc,
                                               .pUB = &ObjFolder::lDocUB,
                                               .sCaptionNode = kDocumentLbl,
                                               .sCaption = "CAPTION_LBL",
                                               .sDefault = "Documents",
                                               .sEntryLblPath = kDocumentLbl};
const List<ObjFolder, ObjStruct> kFoldersOfFolder{.sOperation = "FillFolderListForFolder",
                                                  .pMainArray = &RunState::arrFolders,
                                                  .pArray = &ObjFolder::arrFolder,
                                                  .pUB = &ObjFolder::lFolderUB,
                                                  .sCaptionNode = kFolderLbl,
                                                  .sCaption = "REFERENCE_FOLDER_LBL",
                                                  .sDefault = "Reference Folders",
                                                  .sEntryLblPath = kFolderLbl};

}  // namespace

void clsBldExcel::FillDocListForItem(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kDocsOfItem, lIndex, lRow);
}
void clsBldExcel::FillDrawingListForItem(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kDrawingsOfItem, lIndex, lRow);
}
void clsBldExcel::FillFolderListForItem(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kFoldersOfItem, lIndex, lRow);
}
void clsBldExcel::FillItemListForDoc(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kItemsOfDoc, lIndex, lRow);
}
void clsBldExcel::FillFolderListForDoc(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kFoldersOfDoc, lIndex, lRow);
}
void clsBldExcel::FillDocListForDoc(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kDocsOfDoc, lIndex, lRow);
}
void clsBldExcel::FillItemListForFolder(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kItemsOfFolder, lIndex, lRow);
}
void clsBldExcel::FillDocListForFolder(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kDocsOfFolder, lIndex, lRow);
}
void clsBldExcel::FillFolderListForFolder(std::int32_t lIndex, std::int32_t& lRow) {
  FillRelationList(kFoldersOfFolder, lIndex, lRow);
}

}  // namespace kvo
