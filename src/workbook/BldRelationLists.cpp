// Relationship lists inside a detail block: a sub-caption bar and one object block per related
// object.  The nine lists are one family; the table below holds all that tells them apart.
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/BuilderLabels.h"
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
  const lbl::Label* pCaption;
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

    FillSubCaption(GetLabel(*tList.pCaption), lRow);

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
template <class Main, class Rec>
using List = bld::RelationList<Main, Rec>;

const List<ObjItem, DocStruct> kDocsOfItem{.sOperation = "FillDocListForItem",
                                           .pMainArray = &RunState::arrItems,
                                           .pArray = &ObjItem::arrDoc,
                                           .pUB = &ObjItem::lDocUB,
                                           .pCaption = &lbl::kDocumentsBar,
                                           .sEntryLblPath = kDocumentLbl};
const List<ObjItem, DrawingStruct> kDrawingsOfItem{.sOperation = "FillDrawingListForItem",
                                                   .pMainArray = &RunState::arrItems,
                                                   .pArray = &ObjItem::arrDrawing,
                                                   .pUB = &ObjItem::lDrawingUB,
                                                   .pCaption = &lbl::kDrawingsBar,
                                                   .sEntryLblPath = kDrawingLbl};
const List<ObjItem, ObjStruct> kFoldersOfItem{.sOperation = "FillFolderListForItem",
                                              .pMainArray = &RunState::arrItems,
                                              .pArray = &ObjItem::arrFolder,
                                              .pUB = &ObjItem::lFolderUB,
                                              .pCaption = &lbl::kFoldersBar,
                                              .sEntryLblPath = kFolderLbl};
const List<ObjDoc, ObjStruct> kItemsOfDoc{.sOperation = "FillItemListForDoc",
                                          .pMainArray = &RunState::arrDocs,
                                          .pArray = &ObjDoc::arrItem,
                                          .pUB = &ObjDoc::lItemUB,
                                          .pCaption = &lbl::kItemsBar};
const List<ObjDoc, ObjStruct> kFoldersOfDoc{.sOperation = "FillFolderListForDoc",
                                            .pMainArray = &RunState::arrDocs,
                                            .pArray = &ObjDoc::arrFolder,
                                            .pUB = &ObjDoc::lFolderUB,
                                            .pCaption = &lbl::kFoldersBar,
                                            .sEntryLblPath = kFolderLbl};
const List<ObjDoc, DocStruct> kDocsOfDoc{.sOperation = "FillDocListForDoc",
                                         .pMainArray = &RunState::arrDocs,
                                         .pArray = &ObjDoc::arrDoc,
                                         .pUB = &ObjDoc::lDocUB,
                                         .pCaption = &lbl::kReferenceDocsBar,
                                         .sEntryLblPath = kDocumentLbl};
const List<ObjFolder, ObjStruct> kItemsOfFolder{.sOperation = "FillItemListForFolder",
                                                .pMainArray = &RunState::arrFolders,
                                                .pArray = &ObjFolder::arrItem,
                                                .pUB = &ObjFolder::lItemUB,
                                                .pCaption = &lbl::kItemsBar};
const List<ObjFolder, DocStruct> kDocsOfFolder{.sOperation = "FillDocListForFolder",
                                               .pMainArray = &RunState::arrFolders,
                                               .pArray = &ObjFolder::arrDoc,
                                               .pUB = &ObjFolder::lDocUB,
                                               .pCaption = &lbl::kDocumentsBar,
                                               .sEntryLblPath = kDocumentLbl};
const List<ObjFolder, ObjStruct> kFoldersOfFolder{.sOperation = "FillFolderListForFolder",
                                                  .pMainArray = &RunState::arrFolders,
                                                  .pArray = &ObjFolder::arrFolder,
                                                  .pUB = &ObjFolder::lFolderUB,
                                                  .pCaption = &lbl::kReferenceFoldersBar,
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
