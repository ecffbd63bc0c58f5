// Label paths of the configuration document that the run controller and the workbook builder
// read: element names joined by "/", relative to the configuration root ("//" searches the whole
// document).
#pragma once

namespace kvo::lbl {

// Caption table and main panel.  The caption and additional-tag lists of the main panel have one
// section per kind key ("ITEM", "DOC" or "FOLDER") below kMainLbl and kMainAddLbl.
inline constexpr const char* kExlCaptionLbl = "EXL_CAPTION_LBL";
inline constexpr const char* kMainLbl = "MAIN_LBL";
inline constexpr const char* kMainItemLbl = "MAIN_LBL/ITEM";
inline constexpr const char* kMainDocLbl = "MAIN_LBL/DOC";
inline constexpr const char* kMainFolderLbl = "MAIN_LBL/FOLDER";
inline constexpr const char* kMainAddLbl = "MAIN_ADD_LBL";
// Texts of the two black caption bars: one section per export below it.
inline constexpr const char* kGlobalLbl = "GLOBAL";

// Items and their part lists.
inline constexpr const char* kItemLbl = "PROPERTY_LBL/ITEM_LBL";
inline constexpr const char* kItemCapLbl = "PROPERTY_LBL/ITEM_LBL/ITEM_CAP_LBL";
inline constexpr const char* kItemCaptionLbl = "PROPERTY_LBL/ITEM_LBL/CAPTION_LBL";
inline constexpr const char* kItemAttrListLbl =
    "PROPERTY_LBL/ITEM_LBL/ITEM_ATTR_LBL/ATTRIBUTE_LIST_LBL";
inline constexpr const char* kPartListLbl = "PROPERTY_LBL/PART_LIST_LBL";
inline constexpr const char* kAlternateListLbl = "PROPERTY_LBL/PART_LIST_LBL/ALTERNATE_LIST_LBL";

// Documents, drawings, their files, and folders.
inline constexpr const char* kDocumentLbl = "PROPERTY_LBL/DOCUMENT_LBL";
inline constexpr const char* kDocCapLbl = "PROPERTY_LBL/DOCUMENT_LBL/DOC_CAP_LBL";
inline constexpr const char* kDocAttrListLbl =
    "PROPERTY_LBL/DOCUMENT_LBL/DOC_ATTR_LBL/ATTRIBUTE_LIST_LBL";
inline constexpr const char* kDrawingLbl = "PROPERTY_LBL/DRAWING_LBL";
inline constexpr const char* kFileNameLbl = "PROPERTY_LBL/DOCUMENT_LBL/FILE_ATTR_LBL/FILE_NAME";
inline constexpr const char* kFileAttrListLbl =
    "PROPERTY_LBL/DOCUMENT_LBL/FILE_ATTR_LBL/ATTRIBUTE_LIST_LBL";
inline constexpr const char* kFolderLbl = "PROPERTY_LBL/FOLDER_LBL";
inline constexpr const char* kFolderCapLbl = "PROPERTY_LBL/FOLDER_LBL/FOLDER_CAP_LBL";
inline constexpr const char* kFolderAttrListLbl =
    "PROPERTY_LBL/FOLDER_LBL/FOLDER_ATTR_LBL/ATTRIBUTE_LIST_LBL";
inline constexpr const char* kDocChildLbl = "//DOC_CHLD_LBL";
inline constexpr const char* kFolderChildLbl = "//FOLDER_CHLD_LBL";

// The "Attributes" bar of every block.
inline constexpr const char* kAttributeLbl = "PROPERTY_LBL/ATTRIBUTE_LBL";

// Manufacturers and suppliers.
inline constexpr const char* kMnfLbl = "PROPERTY_LBL/MNF_LBL";
inline constexpr const char* kMnfCapLbl = "PROPERTY_LBL/MNF_LBL/MNF_CAP_LBL";
inline constexpr const char* kMnfAttrListLbl =
    "PROPERTY_LBL/MNF_LBL/MNF_ATTR_LBL/ATTRIBUTE_LIST_LBL";
inline constexpr const char* kVndLbl = "PROPERTY_LBL/VND_LBL";
inline constexpr const char* kVndCapLbl = "PROPERTY_LBL/VND_LBL/VND_CAP_LBL";
inline constexpr const char* kVndAttrListLbl =
    "PROPERTY_LBL/VND_LBL/VND_ATTR_LBL/ATTRIBUTE_LIST_LBL";
inline constexpr const char* kMnfVndLbl = "PROPERTY_LBL/MNF_VND_LBL";

}  // namespace kvo::lbl
