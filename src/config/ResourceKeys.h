// The message texts, source element names and source field names of the configuration, with
// what a run does without each.  InitResources reads them in this order; the configuration check
// reads the same list.
#pragma once

#include <array>
#include <string>

#include "config/ExportSet.h"
#include "config/RunState.h"

namespace kvo::res {

// The element that must exist with children before any key is read.
inline constexpr const char* kMessagesSection = "MESSAGES";

enum class KeyKind { kMessage, kObjectName, kFieldName };

struct ResourceKey {
  const char* sQuery;  // "//" and the key's path: found anywhere in the document
  std::string RunState::*pValue;
  KeyKind eKind;
  ExportSet iReadBy;        // exports that use the value
  ExportSet iFailsWithout;  // exports that fail when it is missing or empty
  const char* sFails;       // how they fail
  const char* sOtherwise;   // what the other exports that use it do without it
};

namespace detail {

constexpr ResourceKey Message(const char* sQuery, std::string RunState::*pValue, const char* sLines,
                              ExportSet iReadBy = kEveryExport) {
  return {sQuery, pValue, KeyKind::kMessage, iReadBy, kNoExport, "", sLines};
}

constexpr ResourceKey Name(const char* sQuery, std::string RunState::*pValue, ExportSet iReadBy,
                           ExportSet iFailsWithout, const char* sFails, const char* sOtherwise,
                           KeyKind eKind = KeyKind::kObjectName) {
  return {sQuery, pValue, eKind, iReadBy, iFailsWithout, sFails, sOtherwise};
}

// The setup's OBJECT_TYPE is compared with these names; an empty one matches no setup.
inline constexpr const char* kNoObjectType =
    "the setup's OBJECT_TYPE matches no element name, so the run ends with the setup-string line";
// The structure walk selects the structure lines by this name; an empty name is no query.
inline constexpr const char* kNoWalk = "the structure walk stops with a run error at once";

}  // namespace detail

using detail::Message;
using detail::Name;

inline constexpr std::array<ResourceKey, 43> kResourceKeys{{
    Message("//MSG_FILE_NAME_EMPTY", &RunState::sMsgFileNameEmpty,
            "the line for an empty source path loses its text"),
    Message("//MSG_FILE", &RunState::sMsgFile,
            "the line for a source file that was not found loses its first part"),
    Message("//MSG_WAS_NOT_FOUND", &RunState::sMsgWasNotFound,
            "the line for a source file that was not found loses its last part"),
    Message("//MSG_INCOR_INI_FILE_DATA", &RunState::sMsgIncorIniFileData,
            "the line for incomplete configuration data loses its text"),
    Message("//MSG_SETUP_STRING_ERROR", &RunState::sMsgSetupStringError,
            "the line for an unusable setup string loses its text"),
    Message("//MSG_RUN_ERROR", &RunState::sMsgRunError,
            "every run-error line loses its leading text"),
    Message("//MSG_LOAD_PARSE_ERROR", &RunState::sMsgLoadParseError,
            "the line for a source that does not parse loses the text before the reason"),
    Message("//MSG_ON_LINE", &RunState::sMsgOnLine,
            "the line for a source that does not parse loses the text before the line number"),
    Message("//MSG_AT_POSITION", &RunState::sMsgAtPosition,
            "the line for a source that does not parse loses the text before the position"),
    Message("//MSG_ERROR_XML_STRUCTURE", &RunState::sMsgErrorXmlStructure,
            "every structure-error line loses its leading text"),
    Message("//MSG_ROOT_NODE_NOT_FOUND", &RunState::sMsgRootNodeNotFound,
            "the line for a source without Root_Element loses its text"),
    Message("//MSG_FIRST_CHILD_NODE_NOT", &RunState::sMsgFirstChildNodeNot,
            "the line for a source whose first object is of another kind loses its text"),
    Message("//MSG_OF_ITEM", &RunState::sMsgOfItem,
            "the line for an empty structure line loses the text before the item", kItemExports),
    Message("//MSG_HAVENT_CHILDREN", &RunState::sMsgHaventChildren,
            "the lines for empty structure lines and empty dataset relations lose their last part"),
    Message("//MSG_CHILD_OF_NODE", &RunState::sMsgChildOfNode,
            "the line for a dataset relation without a dataset loses its first part"),
    Message("//MSG_OF_DOC", &RunState::sMsgOfDoc,
            "the lines for empty structure lines and dataset relations of documents lose the text "
            "before the document"),
    Message("//MSG_OF_FOLDER", &RunState::sMsgOfFolder,
            "the line for an empty structure line loses the text before the folder",
            kFolderExports),
    Message("//MSG_NOT_DATASET", &RunState::sMsgNotDataset,
            "the line for a dataset relation without a dataset loses its last part"),
    Message("//MSG_DOC_DATASET", &RunState::sMsgDocDataset,
            "the line for an empty dataset relation loses its first part"),

    Name("//CUSTOM_OBJECTS/ITEM", &RunState::sObjItem, kEveryExport, kItemExports,
         detail::kNoObjectType, "the items of documents and folders show as empty blocks"),
    Name("//CUSTOM_OBJECTS/ITEM_PS_DEF", &RunState::sObjItemPsDef, kItemExports, kItemExports,
         detail::kNoWalk, ""),
    Name("//CUSTOM_OBJECTS/ITEM_MNF", &RunState::sObjItemMnf, kItemExports, kNoExport, "",
         "every item logs a run error and shows no manufacturers and no suppliers"),
    Name("//CUSTOM_OBJECTS/ITM_VND_MNF", &RunState::sObjItmVndMnf, kItemExports, kNoExport, "",
         "every item and manufacturer logs a run error, and no supplier is shown"),
    Name("//CUSTOM_OBJECTS/ITEM_DOC", &RunState::sObjItemDoc, kItemExports, kNoExport, "",
         "every item logs a run error and shows no documents"),
    Name("//CUSTOM_OBJECTS/ITEM_DRAWING", &RunState::sObjItemDrawing, kItemExports, kNoExport, "",
         "every item logs a run error and shows no drawings"),
    Name("//CUSTOM_OBJECTS/ITEM_FOLDER", &RunState::sObjItemFolder, kItemExports, kNoExport, "",
         "every item logs a run error and shows no folders"),
    Name("//CUSTOM_OBJECTS/LOCAL_ALTERNATE_ITEM", &RunState::sObjLocalAlternateItem, kItemExports,
         kNoExport, "",
         "every item logs a run error and shows neither local alternates nor reference "
         "designators"),
    Name("//CUSTOM_OBJECTS/REF_DES_DEF", &RunState::sObjRefDesDef, kItemExports, kNoExport, "",
         "every item logs a run error and shows no reference designators"),
    Name("//CUSTOM_OBJECTS/DOC", &RunState::sObjDoc, kEveryExport, kDocExports,
         detail::kNoObjectType,
         "the documents and drawings of items and the documents of folders show as empty "
         "blocks"),
    Name("//CUSTOM_OBJECTS/DOC_PS", &RunState::sObjDocPs, kDocExports, kDocExports, detail::kNoWalk,
         ""),
    Name("//CUSTOM_OBJECTS/DOC_DATASET", &RunState::sObjDocDataset, kEveryExport, kNoExport, "",
         "every document and drawing logs a run error and shows no files"),
    Name("//CUSTOM_OBJECTS/DOC_ITEM", &RunState::sObjDocItem, kDocExports, kNoExport, "",
         "every document logs a run error and shows no items"),
    Name("//CUSTOM_OBJECTS/DOC_FOLDER", &RunState::sObjDocFolder, kDocExports, kNoExport, "",
         "every document logs a run error and shows no folders"),
    Name("//CUSTOM_OBJECTS/DATASET", &RunState::sObjDataset, kEveryExport, kNoExport, "",
         "every file of a document is logged as not a dataset and shown without a name"),
    Name("//CUSTOM_OBJECTS/DOC_DOC", &RunState::sObjDocDoc, kDocExports, kNoExport, "",
         "every document logs a run error and shows no reference documents"),
    Name("//CUSTOM_OBJECTS/FOLDER", &RunState::sObjFolder, kEveryExport, kFolderExports,
         detail::kNoObjectType, "the folders of items and documents show as empty blocks"),
    Name("//CUSTOM_OBJECTS/FOLDER_PS", &RunState::sObjFolderPs, kFolderExports, kFolderExports,
         detail::kNoWalk, ""),
    Name("//CUSTOM_OBJECTS/FOLDER_ITEM", &RunState::sObjFolderItem, kFolderExports, kNoExport, "",
         "every folder logs a run error and shows no items"),
    Name("//CUSTOM_OBJECTS/FOLDER_DOC", &RunState::sObjFolderDoc, kFolderExports, kNoExport, "",
         "every folder logs a run error and shows no documents"),
    Name("//CUSTOM_OBJECTS/FOLDER_FOLDER", &RunState::sObjFolderFolder, kFolderExports, kNoExport,
         "", "every folder logs a run error and shows no reference folders"),

    Name("//CUSTOM_FIELDS/FILE_NAME", &RunState::sFldFileName, kEveryExport, kNoExport, "",
         "files show no name and no link", KeyKind::kFieldName),
    Name("//CUSTOM_FIELDS/DESIGNATION_KEY", &RunState::sFldDesignationKey, kItemExports, kNoExport,
         "", "reference designators are read from no attribute and show no names",
         KeyKind::kFieldName),
    Name("//CUSTOM_FIELDS/MNF_VND_KEY", &RunState::sFldMnfVndKey, kItemExports, kNoExport, "",
         "no supplier is tied to a manufacturer, and suppliers that name a manufacturer are not "
         "shown",
         KeyKind::kFieldName),
}};

}  // namespace kvo::res
