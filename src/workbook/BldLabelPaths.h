// Configuration label paths the workbook builder reads: element names joined by "/", relative
// to the configuration root ("//" searches the whole document).
#pragma once

namespace kvo::bld {

inline constexpr const char* kItemCapLbl = "PROPERTY_LBL/ITEM_LBL/ITEM_CAP_LBL";
inline constexpr const char* kItemCaptionLbl = "PROPERTY_LBL/ITEM_LBL/CAPTION_LBL";
inline constexpr const char* kDocumentLbl = "PROPERTY_LBL/DOCUMENT_LBL";
inline constexpr const char* kDrawingLbl = "PROPERTY_LBL/DRAWING_LBL";
inline constexpr const char* kFolderLbl = "PROPERTY_LBL/FOLDER_LBL";
inline constexpr const char* kFileNameLbl = "PROPERTY_LBL/DOCUMENT_LBL/FILE_ATTR_LBL/FILE_NAME";
inline constexpr const char* kAttributeLbl = "PROPERTY_LBL/ATTRIBUTE_LBL";
inline constexpr const char* kPartListLbl = "PROPERTY_LBL/PART_LIST_LBL";
inline constexpr const char* kChildListLbl = "PROPERTY_LBL/PART_LIST_LBL/CHILD_LIST_LBL";
inline constexpr const char* kAlternateListLbl = "PROPERTY_LBL/PART_LIST_LBL/ALTERNATE_LIST_LBL";
inline constexpr const char* kMnfLbl = "PROPERTY_LBL/MNF_LBL";
inline constexpr const char* kMnfCapLbl = "PROPERTY_LBL/MNF_LBL/MNF_CAP_LBL";
inline constexpr const char* kVndLbl = "PROPERTY_LBL/VND_LBL";
inline constexpr const char* kVndCapLbl = "PROPERTY_LBL/VND_LBL/VND_CAP_LBL";
inline constexpr const char* kMnfVndLbl = "PROPERTY_LBL/MNF_VND_LBL";
inline constexpr const char* kDocChildLbl = "//DOC_CHLD_LBL";
inline constexpr const char* kFolderChildLbl = "//FOLDER_CHLD_LBL";

}  // namespace kvo::bld
