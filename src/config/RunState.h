// Run-wide state shared by every subsystem of a run: one set per thread, reached through Run().
// Kept items survive from one run to the next on the same thread; the run pipeline clears the
// tables and the main array itself.
#pragma once

#include <cstdint>
#include <functional>
#include <memory>
#include <string>
#include <vector>

#include "config/VariantTable.h"
#include "model/ExportModel.h"

namespace kvo {

class clsXMLIniData;

// Receives each line the run writes to its log, without the line end, and whether the log file
// took it.
using LogLineSink = std::function<void(const std::string& sLine, bool bWritten)>;

// The error a handler reports: the one it caught.
struct PendingError {
  std::int32_t lNumber = 0;
  std::string sDescription;
};

struct RunState {
  // Log and configuration.
  std::string sLogPath;
  LogLineSink fnLogSink;  // also told every log line; empty: nobody (config/LogSinkScope.h)
  std::shared_ptr<clsXMLIniData> oIniData;
  PendingError tErr;
  std::string sAppDataRoot;  // resolved per-user application-data root, ends with "/"
  std::string sOutputPath;   // the workbook path the last build wrote to

  // Setup values.
  std::string sSpaceType;
  std::string sObjectType;
  std::int16_t iSpaceType = 0;   // kSpaceStructure, kSpaceCollection (model/RunCodes.h)
  std::int16_t iObjectType = 0;  // kObjectItems, kObjectDocs, kObjectFolders (model/RunCodes.h)

  // Caption, additional-tag and attribute-label tables.
  VariantTable vExlCaption;
  VariantTable vAddTags;
  VariantTable vItemAttrLbl;
  VariantTable vDocAttrLbl;
  VariantTable vDrawingAttrLbl;
  VariantTable vFileAttrLbl;
  VariantTable vFolderAttrLbl;
  VariantTable vMnfAttrLbl;
  VariantTable vVndAttrLbl;

  // Source field names behind headings and main-panel columns.
  std::string sItemCapFld1, sItemCapFld2, sItemCapFld3, sItemMainFld3, sItemMainFld5, sAltListFld1;
  std::string sDocCapFld1, sDocCapFld2, sDocCapFld3, sDocMainFld5, sDocMainFld6;
  std::string sDrawingCapFld1, sDrawingCapFld2, sDrawingCapFld3;
  std::string sFolderCapFld1, sFolderCapFld2, sFolderCapFld3, sFolderMainFld5;
  std::string sMnfCapFld1, sMnfCapFld2, sMnfCapFld3;
  std::string sVndCapFld1, sVndCapFld2, sVndCapFld3;

  // Message texts of the log lines.
  std::string sMsgFileNameEmpty, sMsgFile, sMsgWasNotFound, sMsgIncorIniFileData,
      sMsgSetupStringError, sMsgRunError, sMsgLoadParseError, sMsgOnLine, sMsgAtPosition,
      sMsgErrorXmlStructure, sMsgRootNodeNotFound, sMsgFirstChildNodeNot, sMsgOfItem,
      sMsgHaventChildren, sMsgChildOfNode, sMsgOfDoc, sMsgOfFolder, sMsgNotDataset, sMsgDocDataset;

  // Element names of object kinds and relations in the source document.
  std::string sObjItem, sObjItemPsDef, sObjItemMnf, sObjItmVndMnf, sObjItemDoc, sObjItemDrawing,
      sObjItemFolder, sObjLocalAlternateItem, sObjRefDesDef, sObjDoc, sObjDocPs, sObjDocDataset,
      sObjDocItem, sObjDocFolder, sObjDataset, sObjDocDoc, sObjFolder, sObjFolderPs, sObjFolderItem,
      sObjFolderDoc, sObjFolderFolder;

  // Source field names of files, designators and the supplier-to-manufacturer key.
  std::string sFldFileName, sFldDesignationKey, sFldMnfVndKey;

  // Export data: the main array that iObjectType selects, and its upper bound.
  std::vector<ObjItem> arrItems;
  std::vector<ObjDoc> arrDocs;
  std::vector<ObjFolder> arrFolders;
  std::int32_t lMainUBound = -1;
};

// This thread's run state.
RunState& Run();
// Puts this thread's run state back to its first-use values (tests, hosts that want a clean start).
void ResetRunState();

}  // namespace kvo
