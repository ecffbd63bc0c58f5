#include "config/ConfigCheck.h"

#include <kvoexportexcel/clsXMLIniData.h>

#include <algorithm>
#include <cstdlib>
#include <map>
#include <set>
#include <vector>

#include "config/BuilderLabels.h"
#include "config/ExportSet.h"
#include "config/LabelTables.h"
#include "config/QueryRecorder.h"
#include "config/ResourceKeys.h"
#include "config/RunState.h"
#include "config/SetupCheck.h"
#include "config/TextConvert.h"
#include "platform/Platform.h"

namespace kvo {

namespace {

constexpr const char* kSetupSection = "SETUP";
constexpr const char* kDocumentSection = "document";

std::string Quoted(const std::string& s) {
  return "\"" + s + "\"";
}

// Where a finding about sPath is printed: its first element, or the key of a "//" path.
std::string SectionOf(const std::string& sPath) {
  const std::string sBare = sPath.starts_with("//") ? sPath.substr(2) : sPath;
  return sBare.substr(0, sBare.find('/'));
}

std::string PathOf(const std::string& sPath) {
  return sPath.starts_with("//") ? sPath.substr(2) + " (anywhere)" : sPath;
}

bool IsElement(const xml::Node& oNode) {
  return !oNode.NodeName().starts_with("#");
}

// Why an entry of a section read by ORDER is not read: a sibling before it has the same ORDER,
// or its ORDER is none of sOrders.
std::string ReadInstead(const xml::Node& oEntry, const std::set<std::int32_t>& sOrders) {
  const double dOrder = std::strtod(oEntry.GetAttribute("ORDER").c_str(), nullptr);
  for (xml::Node oOther = oEntry.ParentNode().FirstChild(); oOther && !(oOther == oEntry);
       oOther = oOther.NextSibling()) {
    const std::optional<std::string> sOther = oOther.Attribute("ORDER");
    if (sOther && std::strtod(sOther->c_str(), nullptr) == dOrder) {
      return " repeats that of " + oOther.NodeName() + ", which the run reads instead";
    }
  }
  std::string sRead;
  for (const std::int32_t lOrder : sOrders) {
    sRead += (sRead.empty() ? "" : ", ") + std::to_string(lOrder);
  }
  return " is none of those read here (" + sRead + ")";
}

// A problem found before the export is known: the exports it makes fail, and the exports it
// changes otherwise.
struct Pending {
  std::string sSection;
  std::string sProblem;  // the path, a colon, what is wrong
  ExportSet iFails = kNoExport;
  std::string sFails;  // how they fail
  ExportSet iAffects = kNoExport;
  std::string sOther;  // what the others do
};

// A section the run reads: its ordered list, or its children by ORDER or by name.
struct ReadSection {
  bool bList = false;
  ExportSet iExports = kNoExport;
  std::string sWhat;  // what the list makes, for a list
  std::set<std::int32_t> sOrders;
};

struct OrderedList {
  std::optional<xml::NodeList> vList;
  OrderTable arrOrder;
  std::int32_t lLast = -1;
  bool bRaised = false;
  std::string sCulprit;  // the entry whose ORDER made the reader raise
  xml::Node Entry(std::int32_t k) const { return vList->Item(arrOrder(0, k)); }
};

class Checker {
 public:
  Checker() : oReads_([this](const clsXMLIniData& oReader) { return &oReader == &oIni_; }) {}
  CheckReport Run(const std::string& sConfigPath, const std::optional<std::string>& sSetup);

 private:
  bool Load(const std::string& sConfigPath);
  void CheckResources();
  void CheckCaptionList();
  void CheckFieldSections();
  void CheckAttrTables();
  void CheckKindLists();
  void CheckLabels();
  void CheckSetup(const std::string& sSetup);
  void CheckUnread();
  void Unread(const xml::Node& oElement, const xml::Node& oParent);
  OrderedList ReadList(const std::string& sPath, ExportSet iExports, const std::string& sWhat);
  void CheckOrders(const std::string& sPath, const OrderedList& tList, ExportSet iExports,
                   const std::string& sWhat);
  std::string Culprit(const std::string& sPath) const;
  std::string EndsWith(const std::string RunState::*pText, const char* sKey) const;
  void Error(const std::string& sPath, const std::string& sProblem, ExportSet iFails,
             const std::string& sFails, ExportSet iAffects = kNoExport,
             const std::string& sOther = "");
  void Warn(const std::string& sPath, const std::string& sProblem, ExportSet iAffects,
            const std::string& sOther);
  CheckReport Compose() const;

  clsXMLIniData oIni_;
  QueryRecorder oReads_;
  RunState tValues_;  // the message texts and names as the run would read them
  std::vector<Pending> vPending_;
  std::vector<Finding> vDirect_;
  std::map<std::string, ReadSection> mSections_;
  OrderedList tCaptions_;
  ExportSet iScope_ = kEveryExport;
};

void Checker::Error(const std::string& sPath, const std::string& sProblem, ExportSet iFails,
                    const std::string& sFails, ExportSet iAffects, const std::string& sOther) {
  vPending_.push_back(
      {SectionOf(sPath), PathOf(sPath) + ": " + sProblem, iFails, sFails, iAffects, sOther});
}

void Checker::Warn(const std::string& sPath, const std::string& sProblem, ExportSet iAffects,
                   const std::string& sOther) {
  vPending_.push_back(
      {SectionOf(sPath), PathOf(sPath) + ": " + sProblem, kNoExport, "", iAffects, sOther});
}

// "ends with the line "TEXT"" with the configured text, or the key's name when it has none.
std::string Checker::EndsWith(const std::string RunState::*pText, const char* sKey) const {
  const std::string& sText = tValues_.*pText;
  return "ends with the line " + (sText.empty() ? std::string(sKey) : Quoted(sText));
}

CheckReport Checker::Run(const std::string& sConfigPath, const std::optional<std::string>& sSetup) {
  if (Load(sConfigPath)) {
    CheckResources();
    CheckCaptionList();
    CheckFieldSections();
    CheckAttrTables();
    CheckKindLists();
    CheckLabels();
    if (sSetup) CheckSetup(*sSetup);
    CheckUnread();
  }
  return Compose();
}

bool Checker::Load(const std::string& sConfigPath) {
  if (sConfigPath.empty() || !platform::IsRegularFile(sConfigPath)) {
    vDirect_.push_back(
        {Severity::kError, kDocumentSection,
         sConfigPath + " was not found; every export fails with the line " +
             Quoted(sConfigPath.empty() ? "INI FILE NAME IS EMPTY"
                                        : "INI FILE " + sConfigPath + " WAS NOT FOUND")});
    return false;
  }
  std::string sErr;
  if (oIni_.LoadXDoc(sConfigPath, sErr)) return true;
  // The run logs the reader's line as it is; it starts with the date and time.
  const std::size_t lAt = sErr.find("IniDoc Load");
  vDirect_.push_back(
      {Severity::kError, kDocumentSection,
       "the document does not load: " + (lAt == std::string::npos ? sErr : sErr.substr(lAt)) +
           "; every export fails with that line"});
  return false;
}

void Checker::CheckResources() {
  const bool bMessages = oIni_.SetCurNode(res::kMessagesSection);
  if (!bMessages) {
    Error(res::kMessagesSection, "missing or without child elements", kEveryExport,
          "the log gets \"Resources was not initialized\", no message text or element name is "
          "read, and no setup's OBJECT_TYPE can match an element name");
  }
  for (const res::ResourceKey& tKey : res::kResourceKeys) {
    // Without MESSAGES the run reads none of the keys; the check still reads each the way the
    // run would once MESSAGES is there.
    const std::string sValue =
        bMessages ? oIni_.GetLabelUseCurNode(tKey.sQuery) : oIni_.GetLabelUsePath(tKey.sQuery);
    tValues_.*tKey.pValue = sValue;
    if (!sValue.empty()) continue;
    const std::string sPath = tKey.eKind == res::KeyKind::kMessage
                                  ? std::string(res::kMessagesSection) + "/" + (tKey.sQuery + 2)
                                  : std::string(tKey.sQuery + 2);
    if (tKey.iFailsWithout != kNoExport) {
      Error(sPath, "missing or empty", tKey.iFailsWithout, tKey.sFails, tKey.iReadBy,
            tKey.sOtherwise);
    } else {
      Warn(sPath, "missing or empty", tKey.iReadBy, tKey.sOtherwise);
    }
  }
}

OrderedList Checker::ReadList(const std::string& sPath, ExportSet iExports,
                              const std::string& sWhat) {
  ReadSection& tSection = mSections_[sPath];
  tSection.bList = true;
  tSection.iExports |= iExports;
  tSection.sWhat = sWhat;
  OrderedList tList;
  try {
    tList.vList = oIni_.GetOrderedAttrList(sPath, tList.lLast, tList.arrOrder);
    if (tList.lLast >= 0) CheckOrders(sPath, tList, iExports, sWhat);
  } catch (...) {
    tList = OrderedList{};
    tList.bRaised = true;
    tList.sCulprit = Culprit(sPath);
  }
  return tList;
}

// The listed child whose ORDER the reader cannot take as a whole number: a positive number too
// large for 32 bits, or one with characters around it that the reader does not skip.
std::string Checker::Culprit(const std::string& sPath) const {
  const xml::Node oSection = oReads_.Root().SelectSingleNode(sPath);
  for (xml::Node oChild = oSection ? oSection.FirstChild() : xml::Node(); oChild;
       oChild = oChild.NextSibling()) {
    const std::optional<std::string> sOrder = oChild.Attribute("ORDER");
    if (!sOrder || std::strtod(sOrder->c_str(), nullptr) <= 0) continue;
    try {
      TextToLong(*sOrder);
    } catch (...) {
      return "the ORDER " + Quoted(*sOrder) + " of " + oChild.NodeName();
    }
  }
  return "an ORDER value";
}

void Checker::CheckOrders(const std::string& sPath, const OrderedList& tList, ExportSet iExports,
                          const std::string& sWhat) {
  for (std::int32_t k = 0; k <= tList.lLast; ++k) {
    const xml::Node oEntry = tList.Entry(k);
    const std::string sOrder = oEntry.GetAttribute("ORDER");
    if (std::strtod(sOrder.c_str(), nullptr) != tList.arrOrder(1, k)) {
      Warn(sPath + "/" + oEntry.NodeName(),
           "ORDER " + Quoted(sOrder) + " is read as " + std::to_string(tList.arrOrder(1, k)),
           iExports, "it takes that place in " + sWhat);
    }
  }
  // The sorted entries: equal values stand together, in the order the run shows them.
  for (std::int32_t k = 0; k <= tList.lLast;) {
    std::int32_t lEnd = k;
    std::string sNames = tList.Entry(k).NodeName();
    while (lEnd < tList.lLast && tList.arrOrder(1, lEnd + 1) == tList.arrOrder(1, k)) {
      ++lEnd;
      sNames += ", " + tList.Entry(lEnd).NodeName();
    }
    if (lEnd > k) {
      Warn(sPath,
           "ORDER " + std::to_string(tList.arrOrder(1, k)) + " is given " +
               std::to_string(lEnd - k + 1) + " times",
           iExports, sWhat + " shows them as " + sNames);
    }
    k = lEnd + 1;
  }
}

void Checker::CheckCaptionList() {
  const std::string sEnds = EndsWith(&RunState::sMsgSetupStringError, "MSG_SETUP_STRING_ERROR");
  tCaptions_ = ReadList(lbl::kExlCaptionLbl, kEveryExport, "the caption table");
  if (tCaptions_.bRaised) {
    Error(lbl::kExlCaptionLbl, tCaptions_.sCulprit + " is no whole number", kEveryExport,
          "the run logs a run error and " + sEnds);
  } else if (tCaptions_.lLast < 0) {
    Error(lbl::kExlCaptionLbl, "missing, or no child has a positive ORDER", kEveryExport,
          "the run " + sEnds);
  }
}

void Checker::CheckFieldSections() {
  const std::string sEnds = EndsWith(&RunState::sMsgIncorIniFileData, "MSG_INCOR_INI_FILE_DATA");
  for (const lbl::FieldSection& tSection : lbl::kFieldSections) {
    ReadSection& tRead = mSections_[tSection.sPath];
    tRead.iExports |= tSection.iNeededBy;
    if (!oIni_.SetCurNode(tSection.sPath)) {
      Error(tSection.sPath, "missing or without child elements", tSection.iNeededBy,
            "the run " + sEnds);
      continue;
    }
    for (const lbl::FieldOrder& tField : tSection.tFields) {
      if (tField.lOrder == 0) continue;
      tRead.sOrders.insert(tField.lOrder);
      if (oIni_.GetFieldNameUseCurNodeByID(tField.lOrder).empty()) {
        Warn(tSection.sPath,
             "no child with ORDER " + std::to_string(tField.lOrder) + " names a FIELD",
             tSection.iNeededBy, tField.sWithout);
      }
    }
  }
}

void Checker::CheckAttrTables() {
  const std::string sEnds = EndsWith(&RunState::sMsgIncorIniFileData, "MSG_INCOR_INI_FILE_DATA");
  for (const lbl::AttrLabelTable& tTable : lbl::kAttrLabelTables) {
    const std::string sWhat = std::string("the attribute list of ") + tTable.sOf;
    const OrderedList tList = ReadList(tTable.sPath, tTable.iNeededBy, sWhat);
    if (tList.bRaised) {
      Error(tTable.sPath, tList.sCulprit + " is no whole number", tTable.iNeededBy,
            "the run logs a run error and " + sEnds);
      continue;
    }
    if (tList.lLast < 0) {
      Error(tTable.sPath, "missing, or no child has a positive ORDER", tTable.iNeededBy,
            "the run " + sEnds);
      continue;
    }
    for (std::int32_t k = 0; k <= tList.lLast; ++k) {
      const xml::Node oEntry = tList.Entry(k);
      const std::optional<std::string> sField = oEntry.Attribute("FIELD");
      const std::string sPath = std::string(tTable.sPath) + "/" + oEntry.NodeName();
      if (!sField) {
        Error(sPath, "no FIELD", tTable.iNeededBy, "the run logs a run error and " + sEnds);
      } else if (sField->empty()) {
        Warn(
            sPath, "FIELD is empty", tTable.iNeededBy,
            "the attribute " + Quoted(oEntry.Text()) + " of " + tTable.sOf + " always shows empty");
      }
    }
  }
}

void Checker::CheckKindLists() {
  for (const lbl::KindKeys& tKind : lbl::kKindKeys) {
    const ExportSet iExports = KindExports(tKind.iObjectType);
    const std::string sCaptions = std::string(lbl::kMainLbl) + "/" + tKind.sKey;
    const OrderedList tCaptions = ReadList(sCaptions, iExports, "the main panel's caption row");
    if (tCaptions.bRaised) {
      Warn(sCaptions, tCaptions.sCulprit + " is no whole number", iExports,
           "the run logs a run error and the main panel has no caption row");
    } else if (tCaptions.lLast < 0) {
      Warn(sCaptions, "no child has a positive ORDER", iExports,
           "the main panel has no caption row");
    } else if (tCaptions.lLast != 5) {
      Warn(sCaptions, std::to_string(tCaptions.lLast + 1) + " captions instead of six", iExports,
           "the main panel's captions do not line up with its columns (the level column and "
           "five values)");
    }

    const std::string sTags = std::string(lbl::kMainAddLbl) + "/" + tKind.sKey;
    const OrderedList tTags = ReadList(sTags, iExports, "the additional main-panel columns");
    if (tTags.bRaised) {
      Warn(sTags, tTags.sCulprit + " is no whole number", iExports,
           "the run logs a run error and the main panel has no additional columns");
      continue;
    }
    for (std::int32_t k = 0; k <= tTags.lLast; ++k) {
      const xml::Node oTag = tTags.Entry(k);
      const std::string sPath = sTags + "/" + oTag.NodeName();
      const std::optional<std::string> sField = oTag.Attribute("FIELD");
      if (!sField) {
        Warn(sPath, "no FIELD", iExports,
             "the run logs a run error, and the additional columns from this one on show "
             "neither caption nor values");
        break;
      }
      if (sField->empty()) Warn(sPath, "FIELD is empty", iExports, "its column stays empty");
      if (tKind.iObjectType != kObjectItems) continue;
      const std::string sOwner = oTag.GetAttribute("OWNER");
      bool bKnown = false;
      for (const char* sKnown : lbl::kItemTagOwners) bKnown = bKnown || sOwner == sKnown;
      if (!bKnown) {
        Warn(sPath,
             "OWNER " + Quoted(sOwner) + " is none of " + lbl::kOwnerItem + ", " +
                 lbl::kOwnerStructureLine + ", " + lbl::kOwnerRefDes,
             iExports, "its column stays empty");
      }
    }
  }
}

void Checker::CheckLabels() {
  for (const lbl::KindKeys& tKind : lbl::kKindKeys) {
    for (const std::int16_t iSpace : {kSpaceStructure, kSpaceCollection}) {
      const std::string sGlobal =
          std::string(lbl::kGlobalLbl) + "/" +
          (iSpace == kSpaceStructure ? tKind.sStructure : tKind.sCollection);
      for (const lbl::PanelBar* pBar : {&lbl::kMainPanelBar, &lbl::kPropertyPanelBar}) {
        const std::string sPath = sGlobal + "/" + pBar->sName;
        if (!oIni_.GetLabelUsePath(sPath).empty()) continue;
        Warn(sPath, "missing or empty", ExportOf(tKind.iObjectType, iSpace),
             std::string(pBar->sWhere) + " shows the built-in " + Quoted(pBar->sDefault));
      }
    }
  }
  const auto fnShows = [](const char* sWhere, const char* sDefault, const char* sVerb) {
    return *sDefault == '\0'
               ? std::string(sWhere) + " stays empty"
               : std::string(sWhere) + " " + sVerb + " the built-in " + Quoted(sDefault);
  };
  for (const lbl::Label* pLabel : lbl::kLabels) {
    std::string sPath = pLabel->sName;
    std::string sLabel;
    if (pLabel->sSection == nullptr) {
      sLabel = oIni_.GetLabelUsePath(pLabel->sName);
    } else {
      sPath = std::string(pLabel->sSection) + "/" + pLabel->sName;
      mSections_[pLabel->sSection].iExports |= pLabel->iShownIn;
      if (oIni_.SetCurNode(pLabel->sSection)) sLabel = oIni_.GetLabelUseCurNode(pLabel->sName);
    }
    if (sLabel.empty()) {
      Warn(sPath, "missing or empty", pLabel->iShownIn,
           fnShows(pLabel->sWhere, pLabel->sDefault, "shows"));
    }
  }
  for (const lbl::OrderLabels* pLabels : lbl::kOrderLabels) {
    const std::string sPath = lbl::NodePath(*pLabels);
    ReadSection& tRead = mSections_[sPath];
    tRead.iExports |= pLabels->iShownIn;
    const bool bFound = oIni_.SetCurNode(sPath);
    for (std::int32_t i = 0; i < 4 && pLabels->sDefaults[i] != nullptr; ++i) {
      tRead.sOrders.insert(i + 1);
      if (bFound && !oIni_.GetLabelUseCurNodeByID(i + 1).empty()) continue;
      Warn(sPath, "no label with ORDER " + std::to_string(i + 1), pLabels->iShownIn,
           fnShows(pLabels->sWhere, pLabels->sDefaults[i], "show"));
    }
  }
}

void Checker::CheckSetup(const std::string& sSetup) {
  std::vector<std::string> vNames;
  for (const lbl::KindKeys& tKind : lbl::kKindKeys) vNames.push_back(tValues_.*tKind.pObjectName);
  const std::vector<std::string> vProblems = SetupProblems(sSetup, vNames);
  for (const std::string& sProblem : vProblems) {
    vDirect_.push_back({Severity::kError, kSetupSection,
                        "SETUP: " + sProblem + "; the export fails: the run " +
                            EndsWith(&RunState::sMsgSetupStringError, "MSG_SETUP_STRING_ERROR")});
  }
  if (!vProblems.empty()) return;

  clsXMLIniData oSetup;
  std::string sErr;
  oSetup.LoadXString(sSetup, sErr);
  const std::string sObject = oSetup.GetLabelUsePath(lbl::kObjectTypeKey);
  const std::int16_t iSpace = oSetup.GetLabelUsePath(lbl::kSpaceTypeKey) == lbl::kStructureSpace
                                  ? kSpaceStructure
                                  : kSpaceCollection;
  for (const lbl::KindKeys& tKind : lbl::kKindKeys) {
    if (sObject == tValues_.*tKind.pObjectName) {
      iScope_ = ExportOf(tKind.iObjectType, iSpace);
      break;
    }
  }
  // With four caption fields the fourth shows the moment of the export, whatever the setup says.
  for (std::int32_t k = 0; k <= tCaptions_.lLast && !(tCaptions_.lLast == 3 && k == 3); ++k) {
    const xml::Node oField = tCaptions_.Entry(k);
    // A non-empty mark becomes the found element's attribute "" (none): empty when found.
    std::string sMark = "?";
    oSetup.GetLabelUsePath(oField.NodeName(), sMark, "");
    if (sMark.empty()) continue;
    vPending_.push_back({kSetupSection, "SETUP: no " + oField.NodeName(), kNoExport, "",
                         kEveryExport,
                         "the caption value under " + Quoted(oField.Text()) + " stays empty"});
  }
}

void Checker::CheckUnread() {
  std::vector<xml::Node> vToDo{oReads_.Root()};
  while (!vToDo.empty() && vToDo.back()) {
    const xml::Node oNode = vToDo.back();
    vToDo.pop_back();
    for (xml::Node oChild = oNode.FirstChild(); oChild; oChild = oChild.NextSibling()) {
      if (!IsElement(oChild)) continue;
      if (oReads_.WasRead(oChild)) {
        vToDo.push_back(oChild);
      } else {
        Unread(oChild, oNode);
      }
    }
  }
}

void Checker::Unread(const xml::Node& oElement, const xml::Node& oParent) {
  const std::string sPath = ElementPath(oElement);
  const auto it = mSections_.find(ElementPath(oParent));
  const std::optional<std::string> sOrder = oElement.Attribute("ORDER");
  if (it != mSections_.end() && it->second.bList) {
    Warn(sPath, sOrder ? "ORDER " + Quoted(*sOrder) + " is not a positive number" : "no ORDER",
         it->second.iExports, "the run leaves it out of " + it->second.sWhat);
    return;
  }
  if (it != mSections_.end() && sOrder && !it->second.sOrders.empty()) {
    Warn(sPath, "ORDER " + Quoted(*sOrder) + ReadInstead(oElement, it->second.sOrders),
         it->second.iExports, "no export reads it");
    return;
  }
  Warn(sPath, "no export reads it", kEveryExport, "");
}

CheckReport Checker::Compose() const {
  // Sections in the order the document has them; sections it lacks, and the setup, after them.
  std::vector<std::string> vOrder;
  for (xml::Node oChild = oReads_.Root() ? oReads_.Root().FirstChild() : xml::Node(); oChild;
       oChild = oChild.NextSibling()) {
    if (IsElement(oChild)) vOrder.push_back(oChild.NodeName());
  }
  const auto fnRank = [&vOrder](const Pending& p) {
    if (p.sSection == kSetupSection) return vOrder.size() + 1;
    return static_cast<std::size_t>(std::find(vOrder.begin(), vOrder.end(), p.sSection) -
                                    vOrder.begin());
  };
  std::vector<Pending> vSorted = vPending_;
  std::stable_sort(vSorted.begin(), vSorted.end(),
                   [&](const Pending& a, const Pending& b) { return fnRank(a) < fnRank(b); });

  ExportSet iFailing = kNoExport;
  for (const Pending& p : vSorted) iFailing |= p.iFails & iScope_;
  CheckReport tReport;
  for (const Pending& p : vSorted) {
    const ExportSet iFails = p.iFails & iScope_;
    const ExportSet iOther = p.iAffects & iScope_ & ~iFailing;
    std::string sText = p.sProblem;
    if (iFails != kNoExport) {
      sText += "; " + ExportNames(iFails) + (IsSingular(iFails) ? " fails" : " fail");
      if (!p.sFails.empty()) sText += ": " + p.sFails;
    } else if (iOther == kNoExport) {
      continue;
    }
    if (iOther != kNoExport && !p.sOther.empty()) {
      sText += iOther == iScope_ ? "; " : "; in " + ExportNames(iOther) + ", ";
      sText += p.sOther;
    }
    tReport.Add(iFails != kNoExport ? Severity::kError : Severity::kWarning, p.sSection, sText);
  }
  for (const Finding& tFinding : vDirect_) {
    tReport.Add(tFinding.eSeverity, tFinding.sSection, tFinding.sText);
  }
  return tReport;
}

}  // namespace

CheckReport CheckConfiguration(const std::string& sConfigPath,
                               const std::optional<std::string>& sSetup) {
  try {
    return Checker().Run(sConfigPath, sSetup);
  } catch (const std::exception& e) {
    CheckReport tReport;
    tReport.Add(Severity::kError, kDocumentSection, std::string("the check failed: ") + e.what());
    return tReport;
  } catch (...) {
    CheckReport tReport;
    tReport.Add(Severity::kError, kDocumentSection, "the check failed");
    return tReport;
  }
}

}  // namespace kvo
