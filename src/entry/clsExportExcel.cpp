#include "entry/clsExportExcel.h"

#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <memory>

#include "config/Handled.h"
#include "config/Log.h"
#include "config/RunState.h"
#include "config/StrPart.h"
#include "config/modEnvironment.h"
#include "config/modResources.h"
#include "model/RunCodes.h"
#include "parse/clsXMLPars.h"
#include "platform/Platform.h"
#include "workbook/clsBldExcel.h"

namespace kvo {

namespace {

bool IsNormalFile(const std::string& sPath) {
  return platform::IsRegularFile(sPath);
}

// Deletes the workbook an earlier run left at sPath. Raises the path access error, naming the
// workbook and the reason, when it stays.
void RemoveOldWorkbook(const std::string& sPath) {
  platform::FileError error;
  if (platform::RemoveFile(sPath, error)) return;
  const std::string sWhy =
      error.kind == platform::FileError::Kind::InUse ? "another program has it open" : error.text;
  throw RunError(kErrPathAccess,
                 "Path/File access error: the workbook " + sPath + " cannot be replaced: " + sWhy);
}

// Raises the path access error, naming the workbook and what of its name the system cannot
// hold (a character such as "?", a reserved name such as NUL).
void RefuseUnholdableName(const std::string& sPath) {
  const std::string sName = sPath.substr(sPath.find_last_of(platform::kSeparators) + 1);
  const std::string sProblem = platform::FileNameProblem(sName);
  if (sProblem.empty()) return;
  throw RunError(kErrBadFileName, "Bad file name: the workbook " + sPath +
                                      " cannot be written: the system allows no " + sProblem +
                                      " in a file name");
}

void PlainLine(const std::string& sText) {
  LogError(sText, "", -1, false);
}

// Empties the caption and label tables at the end of a run.
void ClearRunTables() {
  RunState& run = Run();
  run.vExlCaption.Erase();
  run.vAddTags.Erase();
  run.vItemAttrLbl.Erase();
  run.vDocAttrLbl.Erase();
  run.vDrawingAttrLbl.Erase();
  run.vFileAttrLbl.Erase();
  run.vFolderAttrLbl.Erase();
  if (run.iObjectType == kObjectItems) {
    run.vMnfAttrLbl.Erase();
    run.vVndAttrLbl.Erase();
  }
}

}  // namespace

bool clsExportExcel::ParseXML2Excel(const std::string& sXFullPath, const std::string& sXIniFullPath,
                                    const std::string& sSetupXString,
                                    const std::string& sExtension) {
  RunState& run = Run();
  try {
    const bool bResult = RunPipeline(sXFullPath, sXIniFullPath, sSetupXString, sExtension);
    run.oIniData.reset();
    return bResult;
  } catch (...) {
    // The configuration reader goes first, the failure is logged after it.
    run.oIniData.reset();
    LogFailure(kClassName, "ParseXML2Excel");
    return false;
  }
}

bool clsExportExcel::RunPipeline(const std::string& sXFullPath, const std::string& sXIniFullPath,
                                 const std::string& sSetupXString, const std::string& sExtension) {
  RunState& run = Run();
  run.sLogPath = GetEnvDir("KVO_EXPORT_DIR") + "ExportExcel.log";
  if (!GetIniXML(sXIniFullPath)) return false;
  InitResources();
  if (sXFullPath.empty()) {
    PlainLine(run.sMsgFileNameEmpty);
    return false;
  }
  if (!IsNormalFile(sXFullPath)) {
    PlainLine(run.sMsgFile + sXFullPath + run.sMsgWasNotFound);
    return false;
  }
  const bool bResult =
      ExportSource(sXFullPath, sSetupXString, sExtension.empty() ? ".xls" : sExtension);
  ClearRunTables();
  return bResult;
}

bool clsExportExcel::ExportSource(const std::string& sXFullPath, const std::string& sSetupXString,
                                  const std::string& sExtension) {
  RunState& run = Run();
  if (!FillExcellCap(sSetupXString)) {
    PlainLine(run.sMsgSetupStringError);
    return false;
  }
  if (!FillAttrLabels()) {
    PlainLine(run.sMsgIncorIniFileData);
    return false;
  }
  clsXMLPars oParser;
  std::shared_ptr<xml::Document> oDoc;
  if (!oParser.LoadCurrentXML(oDoc, sXFullPath)) return false;
  ClearMainArray();
  oParser.MainXStruct(oDoc);
  // The source document is released before the workbook is built.
  oDoc.reset();
  if (run.lMainUBound < 0) return false;
  const bool bResult = BuildExcel(sXFullPath, sExtension);
  ClearMainArray();
  return bResult;
}

bool clsExportExcel::GetIniXML(const std::string& sXIniFullPath) {
  // The configuration's run-error text is not read yet.
  return HandledWithText("Run Error: ", kClassName, "GetIniXML", false, [&] {
    RunState& run = Run();
    if (sXIniFullPath.empty()) {
      PlainLine("INI FILE NAME IS EMPTY");
      return false;
    }
    if (!IsNormalFile(sXIniFullPath)) {
      PlainLine("INI FILE " + sXIniFullPath + " WAS NOT FOUND");
      return false;
    }
    run.oIniData = std::make_shared<clsXMLIniData>();
    std::string sErr;
    const bool bResult = run.oIniData->LoadXDoc(sXIniFullPath, sErr);
    if (!sErr.empty()) WriteLogLine(sErr, run.sLogPath);
    return bResult;
  });
}

std::string clsExportExcel::OutputPath(const std::string& sXFullPath, const std::string& sExtension,
                                       const std::string& sName) {
  // The folder ends at the last separator of the system ("\" or "/" on Windows).
  const std::size_t lSep = sXFullPath.find_last_of(platform::kSeparators);
  const std::string sPrefix = lSep == std::string::npos ? "" : sXFullPath.substr(0, lSep + 1);
  if (!sName.empty()) {
    // The name only ever names a file in the source's folder.
    std::string sSafe = sName;
    for (char& c : sSafe) {
      if (c == '/' || c == '\\') c = '_';
    }
    return sPrefix + sSafe + sExtension;
  }
  // Only a dot within the file name starts its extension.
  const std::string sFile = sXFullPath.substr(sPrefix.size());
  return sPrefix + StrPartRev(sFile, ".", false, false) + sExtension;
}

bool clsExportExcel::BuildExcel(const std::string& sXFullPath, const std::string& sExtension) {
  return Handled(kClassName, "BuildExcel", false, [&] {
    RunState& run = Run();
    // A caption table of fewer than two fields names no output file.
    const std::string sName = run.vExlCaption.LastEntry() >= 1 ? run.vExlCaption(1, 1) : "";
    const std::string sOutPath = OutputPath(sXFullPath, sExtension, sName);
    run.sOutputPath = sOutPath;
    RefuseUnholdableName(sOutPath);
    if (IsNormalFile(sOutPath)) RemoveOldWorkbook(sOutPath);
    // The builder is released before a failure is logged.
    clsBldExcel oBuilder;
    if (!oBuilder.InitExl(sOutPath)) return false;
    bool bResult = oBuilder.FillExlFile();
    // The sheet holds all the save writes: the data model goes first, so that the two are
    // never in memory at once with what the save needs.
    ClearMainArray();
    // A workbook that could not be saved is no success, whatever the sheet held.
    if (!oBuilder.ExitExl()) bResult = false;
    return bResult;
  });
}

void clsExportExcel::ClearMainArray() {
  RunState& run = Run();
  switch (run.iObjectType) {
    case kObjectItems:
      run.arrItems.clear();
      run.arrItems.shrink_to_fit();
      break;
    case kObjectDocs:
      run.arrDocs.clear();
      run.arrDocs.shrink_to_fit();
      break;
    case kObjectFolders:
      run.arrFolders.clear();
      run.arrFolders.shrink_to_fit();
      break;
    default:
      break;
  }
  run.lMainUBound = -1;
}

}  // namespace kvo
