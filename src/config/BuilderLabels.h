// The labels the workbook builder reads from the configuration: how each is looked up, the
// built-in text the sheet shows when it is missing, and where.  The builder and the
// configuration check read these tables.
#pragma once

#include <array>
#include <string>

#include "config/ExportSet.h"
#include "config/LabelPaths.h"

namespace kvo::lbl {

// One label: the child sName of the node sSection, which the builder selects first, or, with
// sSection nullptr, the node at the path sName.
struct Label {
  const char* sSection;
  const char* sName;
  const char* sDefault;  // shown when the label is missing or empty; "" leaves the cell empty
  ExportSet iShownIn;
  const char* sWhere;
};

// Labels looked up by ORDER 1, 2, ... below one node: sNode below the label path sLblPath that
// the blocks of its kind are drawn with.
struct OrderLabels {
  const char* sLblPath;
  const char* sNode;
  std::array<const char*, 4> sDefaults;  // by ORDER from 1; nullptr after the last
  ExportSet iShownIn;
  const char* sWhere;
};

inline std::string NodePath(const OrderLabels& tLabels) {
  return std::string(tLabels.sLblPath) + "/" + tLabels.sNode;
}

// The texts of the two black caption bars: sName below GLOBAL and the export's key
// (LabelTables.h).
struct PanelBar {
  const char* sName;
  const char* sDefault;
  const char* sWhere;
};

inline constexpr PanelBar kMainPanelBar{"MAIN_PANEL", "Main Panel", "the main caption bar"};
inline constexpr PanelBar kPropertyPanelBar{"PROPERTY_PANEL", "Property Panel",
                                            "the property caption bar"};

inline constexpr Label kAttributesBar{nullptr, kAttributeLbl, "Attributes", kEveryExport,
                                      "the attribute bar of each detail block"};
inline constexpr Label kFilesOfDocument{kDocumentLbl, "FILES_OF_DOCUMENT", "Files of Document",
                                        kEveryExport, "the bar over a document's files"};
inline constexpr Label kFilesOfDrawing{kDrawingLbl, "FILES_OF_DRAWING", "Files of Drawing",
                                       kItemExports, "the bar over a drawing's files"};
inline constexpr Label kFileName{nullptr, kFileNameLbl, "File Name", kEveryExport,
                                 "every file row"};
inline constexpr Label kPartListBar{kPartListLbl, "CAPTION_LBL", "Part List", kItemExports,
                                    "the part-list bar"};
inline constexpr Label kChild{kPartListLbl, "CHILD", "Child", kItemExports, "every part-list line"};
inline constexpr Label kAlternatesHeading{kPartListLbl, "LOCAL_ALTERNATIVE_ITEMS_OF_CHILD",
                                          "Local Alternative Items of Child", kItemExports,
                                          "the heading over a child's local alternates"};
inline constexpr Label kDocumentsBar{kDocumentLbl, "CAPTION_LBL", "Documents",
                                     kItemExports | kFolderExports,
                                     "the bar over related documents"};
inline constexpr Label kDrawingsBar{kDrawingLbl, "CAPTION_LBL", "Drawings", kItemExports,
                                    "the bar over an item's drawings"};
inline constexpr Label kFoldersBar{kFolderLbl, "CAPTION_LBL", "Folders", kItemExports | kDocExports,
                                   "the bar over related folders"};
inline constexpr Label kItemsBar{nullptr, kItemCaptionLbl, "Items", kDocExports | kFolderExports,
                                 "the bar over related items"};
inline constexpr Label kReferenceDocsBar{kDocumentLbl, "REFERENCE_DOC_LBL", "Reference Documents",
                                         kDocExports, "the bar over reference documents"};
inline constexpr Label kReferenceFoldersBar{kFolderLbl, "REFERENCE_FOLDER_LBL", "Reference Folders",
                                            kFolderExports, "the bar over reference folders"};
inline constexpr Label kChildDocsBar{nullptr, kDocChildLbl, "", kDocExports,
                                     "the bar over a document's child documents"};
inline constexpr Label kChildFoldersBar{nullptr, kFolderChildLbl, "", kFolderExports,
                                        "the bar over a folder's child folders"};
inline constexpr Label kManufacturersBar{kMnfLbl, "CAPTION_LBL", "Manufacturers", kItemExports,
                                         "the bar over manufacturers without suppliers"};
inline constexpr Label kSuppliersBar{kVndLbl, "CAPTION_LBL", "Suppliers", kItemExports,
                                     "the bar over an item's own suppliers"};
inline constexpr Label kMnfWithSuppliersBar{kMnfVndLbl, "MNF_CAP_LBL", "", kItemExports,
                                            "the bar over manufacturers with suppliers"};
inline constexpr Label kSuppliersOfMnf{kMnfVndLbl, "VND_CAP_LBL", "", kItemExports,
                                       "the heading over a manufacturer's suppliers"};

inline constexpr std::array<const Label*, 19> kLabels{
    &kAttributesBar,
    &kFilesOfDocument,
    &kFilesOfDrawing,
    &kFileName,
    &kPartListBar,
    &kChild,
    &kAlternatesHeading,
    &kDocumentsBar,
    &kDrawingsBar,
    &kFoldersBar,
    &kItemsBar,
    &kReferenceDocsBar,
    &kReferenceFoldersBar,
    &kChildDocsBar,
    &kChildFoldersBar,
    &kManufacturersBar,
    &kSuppliersBar,
    &kMnfWithSuppliersBar,
    &kSuppliersOfMnf,
};

// Head rows show ORDER 1 to 3: identifier, revision, description.
inline constexpr OrderLabels kItemHead{kItemLbl,
                                       "ITEM_CAP_LBL",
                                       {"ID", "Revision", "Description", nullptr},
                                       kEveryExport,
                                       "item heads"};
inline constexpr OrderLabels kDocHead{kDocumentLbl,
                                      "DOC_CAP_LBL",
                                      {"Doc. ID", "Revision", "Description", nullptr},
                                      kEveryExport,
                                      "document heads"};
inline constexpr OrderLabels kDrawingHead{kDrawingLbl,
                                          "DRAWING_CAP_LBL",
                                          {"Drawing ID", "Revision", "Description", nullptr},
                                          kItemExports,
                                          "drawing heads"};
inline constexpr OrderLabels kFolderHead{kFolderLbl,
                                         "FOLDER_CAP_LBL",
                                         {"FLD ID", "Revision", "Description", nullptr},
                                         kEveryExport,
                                         "folder heads"};
inline constexpr OrderLabels kChildLines{
    kPartListLbl,
    "CHILD_LIST_LBL",
    {"Find No", "Quantity", "Description", "Reference Designators"},
    kItemExports,
    "part-list lines"};
inline constexpr OrderLabels kAlternateLines{kPartListLbl,
                                             "ALTERNATE_LIST_LBL",
                                             {"ALTERNATE ID", nullptr, nullptr, nullptr},
                                             kItemExports,
                                             "local-alternate lines"};
// Manufacturer and supplier rows show ORDER 1, 3 and 2: identifier, part number, name.
inline constexpr OrderLabels kMnfHead{
    kMnfLbl, "MNF_CAP_LBL", {"Man. ID", "Name", "MPN", nullptr}, kItemExports, "manufacturer rows"};
inline constexpr OrderLabels kVndHead{
    kVndLbl, "VND_CAP_LBL", {"Sup. ID", "Name", "SPN", nullptr}, kItemExports, "supplier rows"};

inline constexpr std::array<const OrderLabels*, 8> kOrderLabels{
    &kItemHead,   &kDocHead,        &kDrawingHead, &kFolderHead,
    &kChildLines, &kAlternateLines, &kMnfHead,     &kVndHead,
};

}  // namespace kvo::lbl
