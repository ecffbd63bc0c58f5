// What the caption and attribute-label tables of a run are read from: the setup keys, the
// sections that name source fields by ORDER, the ordered attribute-label tables, the key of each
// object kind and the owners of additional tags.  The run reads these lists, and so does the
// configuration check.
#pragma once

#include <array>
#include <cstdint>
#include <string>

#include "config/ExportSet.h"
#include "config/LabelPaths.h"
#include "config/RunState.h"
#include "config/VariantTable.h"
#include "model/RunCodes.h"

namespace kvo::lbl {

// The setup string's elements that name the export, and its two space types.
inline constexpr const char* kSpaceTypeKey = "SPACE_TYPE";
inline constexpr const char* kObjectTypeKey = "OBJECT_TYPE";
inline constexpr const char* kStructureSpace = "STRUCTURE";
inline constexpr const char* kCollectionSpace = "COLLECTION";

// A source field: the "FIELD" of the section's child whose ORDER is lOrder (0: none).
struct FieldOrder {
  std::int32_t lOrder = 0;
  std::string RunState::*pField = nullptr;
  std::string RunState::*pCopy = nullptr;  // a second string that gets the same name
  const char* sWithout = "";               // what the sheet shows when no field is named
};

// A section that the exports iNeededBy cannot do without (it must exist and have children),
// and the fields it names.
struct FieldSection {
  const char* sPath;
  ExportSet iNeededBy;
  std::array<FieldOrder, 3> tFields;
};

// In reading order: the three headings every export needs, then those of one kind.
inline constexpr std::array<FieldSection, 9> kFieldSections{{
    {kItemCapLbl,
     kEveryExport,
     {{{1, &RunState::sItemCapFld1, nullptr, "items show no ID"},
       {2, &RunState::sItemCapFld2, nullptr, "items show no revision"},
       {3, &RunState::sItemCapFld3, nullptr, "items show no description"}}}},
    {kDocCapLbl,
     kEveryExport,
     {{{1, &RunState::sDocCapFld1, &RunState::sDrawingCapFld1, "documents and drawings show no ID"},
       {2, &RunState::sDocCapFld2, &RunState::sDrawingCapFld2,
        "documents and drawings show no revision"},
       {3, &RunState::sDocCapFld3, &RunState::sDrawingCapFld3,
        "documents and drawings show no description"}}}},
    {kFolderCapLbl,
     kEveryExport,
     {{{1, &RunState::sFolderCapFld1, nullptr, "folders show no ID"},
       {2, &RunState::sFolderCapFld2, nullptr, "folders show no revision"},
       {3, &RunState::sFolderCapFld3, nullptr, "folders show no description"}}}},
    {kMainItemLbl,
     kItemExports,
     {{{5, &RunState::sItemMainFld5, nullptr, "items show no quantity"},
       {3, &RunState::sItemMainFld3, nullptr, "items show no find number"}}}},
    {kAlternateListLbl,
     kItemExports,
     {{{1, &RunState::sAltListFld1, nullptr, "local alternates show no ID"}}}},
    {kMnfCapLbl,
     kItemExports,
     {{{1, &RunState::sMnfCapFld1, nullptr, "manufacturers show no ID"},
       {2, &RunState::sMnfCapFld2, nullptr, "manufacturers show no name"},
       {3, &RunState::sMnfCapFld3, nullptr,
        "manufacturers show no part number, and no supplier is tied to one"}}}},
    {kVndCapLbl,
     kItemExports,
     {{{1, &RunState::sVndCapFld1, nullptr, "suppliers show no ID"},
       {2, &RunState::sVndCapFld2, nullptr, "suppliers show no name"},
       {3, &RunState::sVndCapFld3, nullptr, "suppliers show no part number"}}}},
    {kMainDocLbl,
     kDocExports,
     {{{5, &RunState::sDocMainFld5, nullptr, "the main panel's column of ORDER 5 stays empty"},
       {6, &RunState::sDocMainFld6, nullptr, "the main panel's column of ORDER 6 stays empty"}}}},
    {kMainFolderLbl,
     kFolderExports,
     {{{5, &RunState::sFolderMainFld5, nullptr,
        "the main panel's column of ORDER 5 stays empty"}}}},
}};

// An ordered attribute-label table: per listed attribute its label and its source attribute.
struct AttrLabelTable {
  const char* sType;  // the type word the table is filled by
  const char* sPath;
  VariantTable RunState::*pTable;
  ExportSet iNeededBy;
  const char* sOf;  // whose attributes it lists
};

// In reading order: the four every export needs, then the two of items.
inline constexpr std::array<AttrLabelTable, 6> kAttrLabelTables{{
    {"ITEM", kItemAttrListLbl, &RunState::vItemAttrLbl, kEveryExport, "items"},
    {"DOC", kDocAttrListLbl, &RunState::vDocAttrLbl, kEveryExport, "documents and drawings"},
    {"DATASET", kFileAttrListLbl, &RunState::vFileAttrLbl, kEveryExport, "files"},
    {"FOLDER", kFolderAttrListLbl, &RunState::vFolderAttrLbl, kEveryExport, "folders"},
    {"MNF", kMnfAttrListLbl, &RunState::vMnfAttrLbl, kItemExports, "manufacturers"},
    {"VENDORS", kVndAttrListLbl, &RunState::vVndAttrLbl, kItemExports, "suppliers"},
}};

// An object kind's key below MAIN_LBL, MAIN_ADD_LBL and GLOBAL.
struct KindKeys {
  std::int16_t iObjectType;
  const char* sKey;                    // below MAIN_LBL and MAIN_ADD_LBL
  std::string RunState::*pObjectName;  // the configured element name the setup must give
  const char* sStructure;              // below GLOBAL in structure mode
  const char* sCollection;             // below GLOBAL in any other mode
};

inline constexpr std::array<KindKeys, 3> kKindKeys{{
    {kObjectItems, "ITEM", &RunState::sObjItem, "ITEM_STRUCTURE", "ITEM_COLLECTION"},
    {kObjectDocs, "DOC", &RunState::sObjDoc, "DOC_STRUCTURE", "DOC_COLLECTION"},
    {kObjectFolders, "FOLDER", &RunState::sObjFolder, "FOLDER_STRUCTURE", "FOLDER_COLLECTION"},
}};

// Where an item's additional tag is read from, by its "OWNER": the item element, its structure
// line, or the item's grouped reference designators.  Documents and folders ignore the owner.
inline constexpr const char* kOwnerItem = "ITEM";
inline constexpr const char* kOwnerStructureLine = "ITEM_PS_DEF";
inline constexpr const char* kOwnerRefDes = "REF_DES_DEF";
inline constexpr std::array<const char*, 3> kItemTagOwners{kOwnerItem, kOwnerStructureLine,
                                                           kOwnerRefDes};

}  // namespace kvo::lbl
