#include "config/modResources.h"

#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <array>
#include <utility>

#include "config/Handled.h"
#include "config/Log.h"
#include "config/RunState.h"

namespace kvo {

namespace {

using StringField = std::string RunState::*;

// Every key in lookup order (messages, objects, fields) with the string it fills.
const std::array<std::pair<const char*, StringField>, 43> kResourceKeys{{
    {"//MSG_FILE_NAME_EMPTY", &RunState::sMsgFileNameEmpty},
    {"//MSG_FILE", &RunState::sMsgFile},
    {"//MSG_WAS_NOT_FOUND", &RunState::sMsgWasNotFound},
    {"//MSG_INCOR_INI_FILE_DATA", &RunState::sMsgIncorIniFileData},
    {"//MSG_SETUP_STRING_ERROR", &RunState::sMsgSetupStringError},
    {"//MSG_RUN_ERROR", &RunState::sMsgRunError},
    {"//MSG_LOAD_PARSE_ERROR", &RunState::sMsgLoadParseError},
    {"//MSG_ON_LINE", &RunState::sMsgOnLine},
    {"//MSG_AT_POSITION", &RunState::sMsgAtPosition},
    {"//MSG_ERROR_XML_STRUCTURE", &RunState::sMsgErrorXmlStructure},
    {"//MSG_ROOT_NODE_NOT_FOUND", &RunState::sMsgRootNodeNotFound},
    {"//MSG_FIRST_CHILD_NODE_NOT", &RunState::sMsgFirstChildNodeNot},
    {"//MSG_OF_ITEM", &RunState::sMsgOfItem},
    {"//MSG_HAVENT_CHILDREN", &RunState::sMsgHaventChildren},
    {"//MSG_CHILD_OF_NODE", &RunState::sMsgChildOfNode},
    {"//MSG_OF_DOC", &RunState::sMsgOfDoc},
    {"//MSG_OF_FOLDER", &RunState::sMsgOfFolder},
    {"//MSG_NOT_DATASET", &RunState::sMsgNotDataset},
    {"//MSG_DOC_DATASET", &RunState::sMsgDocDataset},
    {"//CUSTOM_OBJECTS/ITEM", &RunState::sObjItem},
    {"//CUSTOM_OBJECTS/ITEM_PS_DEF", &RunState::sObjItemPsDef},
    {"//CUSTOM_OBJECTS/ITEM_MNF", &RunState::sObjItemMnf},
    {"//CUSTOM_OBJECTS/ITM_VND_MNF", &RunState::sObjItmVndMnf},
    {"//CUSTOM_OBJECTS/ITEM_DOC", &RunState::sObjItemDoc},
    {"//CUSTOM_OBJECTS/ITEM_DRAWING", &RunState::sObjItemDrawing},
    {"//CUSTOM_OBJECTS/ITEM_FOLDER", &RunState::sObjItemFolder},
    {"//CUSTOM_OBJECTS/LOCAL_ALTERNATE_ITEM", &RunState::sObjLocalAlternateItem},
    {"//CUSTOM_OBJECTS/REF_DES_DEF", &RunState::sObjRefDesDef},
    {"//CUSTOM_OBJECTS/DOC", &RunState::sObjDoc},
    {"//CUSTOM_OBJECTS/DOC_PS", &RunState::sObjDocPs},
    {"//CUSTOM_OBJECTS/DOC_DATASET", &RunState::sObjDocDataset},
    {"//CUSTOM_OBJECTS/DOC_ITEM", &RunState::sObjDocItem},
    {"//CUSTOM_OBJECTS/DOC_FOLDER", &RunState::sObjDocFolder},
    {"//CUSTOM_OBJECTS/DATASET", &RunState::sObjDataset},
    {"//CUSTOM_OBJECTS/DOC_DOC", &RunState::sObjDocDoc},
    {"//CUSTOM_OBJECTS/FOLDER", &RunState::sObjFolder},
    {"//CUSTOM_OBJECTS/FOLDER_PS", &RunState::sObjFolderPs},
    {"//CUSTOM_OBJECTS/FOLDER_ITEM", &RunState::sObjFolderItem},
    {"//CUSTOM_OBJECTS/FOLDER_DOC", &RunState::sObjFolderDoc},
    {"//CUSTOM_OBJECTS/FOLDER_FOLDER", &RunState::sObjFolderFolder},
    {"//CUSTOM_FIELDS/FILE_NAME", &RunState::sFldFileName},
    {"//CUSTOM_FIELDS/DESIGNATION_KEY", &RunState::sFldDesignationKey},
    {"//CUSTOM_FIELDS/MNF_VND_KEY", &RunState::sFldMnfVndKey},
}};

}  // namespace

void InitResources() {
  Handled("modResources", "InitResources", [] {
    RunState& run = Run();
    if (!run.oIniData) throw RunError(kErrObjectNotSet, "Object variable not set");
    if (!run.oIniData->SetCurNode("MESSAGES")) {
      LogError("Resources was not initialized", "", -1, false);
      return;
    }
    for (const auto& [sKey, field] : kResourceKeys) {
      run.*field = run.oIniData->GetLabelUseCurNode(sKey);
    }
  });
}

}  // namespace kvo
