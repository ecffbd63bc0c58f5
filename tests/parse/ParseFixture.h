// Shared set-up of the parser tests: a run state whose element, attribute and message names are
// deliberately unlike the usual configuration words, a log in a temporary folder, and a
// source document parsed from text.
#pragma once

#include <gtest/gtest.h>
#include <kvoexportexcel/XmlDom.h>

#include <cstdint>
#include <initializer_list>
#include <memory>
#include <string>
#include <vector>

#include "config/Log.h"
#include "config/RunState.h"
#include "parse/clsXMLPars.h"
#include "support/TestSupport.h"

namespace kvo::test {

// Fills a table with one entry per row of cells (cell k goes to part k).
inline void SetTable(VariantTable& vTable, std::initializer_list<std::vector<std::string>> vRows) {
  const auto lParts = static_cast<std::int32_t>(vRows.begin()->size());
  vTable.Redim(lParts, static_cast<std::int32_t>(vRows.size()) - 1);
  std::int32_t lEntry = 0;
  for (const auto& vRow : vRows) {
    for (std::int32_t k = 0; k < lParts; ++k) vTable.At(k, lEntry) = vRow[k];
    ++lEntry;
  }
}

// The three identity texts of an object record: ID, description, revision.
template <class TRecord>
std::vector<std::string> Texts(const TRecord& tRecord) {
  return {tRecord.sID, tRecord.sDesc, tRecord.sRev};
}

inline void UseTestNames(RunState& run) {
  run.sObjItem = "Qx", run.sObjItemPsDef = "Lnk", run.sObjItemMnf = "Mk", run.sObjItmVndMnf = "Sv";
  run.sObjItemDoc = "Pd", run.sObjItemDrawing = "Dw", run.sObjItemFolder = "Fi";
  run.sObjLocalAlternateItem = "Alt", run.sObjRefDesDef = "Rd";
  run.sObjDoc = "Zd", run.sObjDocPs = "Zl", run.sObjDocDataset = "Zs", run.sObjDocItem = "Zi";
  run.sObjDocFolder = "Zf", run.sObjDataset = "Blob", run.sObjDocDoc = "Zz";
  run.sObjFolder = "Bx", run.sObjFolderPs = "Bl", run.sObjFolderItem = "Bi";
  run.sObjFolderDoc = "Bd", run.sObjFolderFolder = "Bb";
  run.sItemCapFld1 = "nr", run.sItemCapFld2 = "rv", run.sItemCapFld3 = "tx";
  run.sItemMainFld3 = "pos", run.sItemMainFld5 = "amt", run.sAltListFld1 = "alt_nr";
  run.sDocCapFld1 = "dn", run.sDocCapFld2 = "dr", run.sDocCapFld3 = "dt";
  run.sDocMainFld5 = "m5", run.sDocMainFld6 = "m6";
  run.sDrawingCapFld1 = "wn", run.sDrawingCapFld2 = "wr", run.sDrawingCapFld3 = "wt";
  run.sFolderCapFld1 = "fn", run.sFolderCapFld2 = "fr", run.sFolderCapFld3 = "ft";
  run.sFolderMainFld5 = "f5";
  run.sMnfCapFld1 = "mid", run.sMnfCapFld2 = "mname", run.sMnfCapFld3 = "mpn";
  run.sVndCapFld1 = "sid", run.sVndCapFld2 = "sname", run.sVndCapFld3 = "spn";
  run.sFldFileName = "path", run.sFldDesignationKey = "des", run.sFldMnfVndKey = "forMpn";
  run.sMsgRunError = "RUN:", run.sMsgErrorXmlStructure = "[S]", run.sMsgRootNodeNotFound = "[root]";
  run.sMsgFirstChildNodeNot = "[first]", run.sMsgOfItem = "[of item]", run.sMsgOfDoc = "[of doc]";
  run.sMsgOfFolder = "[of folder]", run.sMsgHaventChildren = "[empty]";
  run.sMsgChildOfNode = "[child]", run.sMsgNotDataset = "[not set]", run.sMsgDocDataset = "[set]";
  run.sMsgLoadParseError = "[parse]", run.sMsgOnLine = "[line]", run.sMsgAtPosition = "[pos]";
  run.sObjectType = "QxKind";
  SetTable(run.vItemAttrLbl, {{"Hue", "hue"}, {"Mass", "kg"}});
  SetTable(run.vFileAttrLbl, {{"Size", "bytes"}});
  SetTable(run.vMnfAttrLbl, {{"Grade", "grade"}});
  SetTable(run.vVndAttrLbl, {{"Price", "price"}});
}

class ParseFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    UseTestNames(kvo::Run());
    kvo::Run().sLogPath = dir_.Str("parse.log");
  }
  void TearDown() override { ResetRunState(); }

  // Loads sXml as the source and runs the parser's walk for the object kind and space type,
  // starting from empty main arrays as a run does.
  void Parse(const std::string& sXml, std::int16_t iObjectType = 1, std::int16_t iSpaceType = 1) {
    kvo::Run().arrItems.clear(), kvo::Run().arrDocs.clear(), kvo::Run().arrFolders.clear();
    kvo::Run().lMainUBound = -1;
    kvo::Run().iObjectType = iObjectType;
    kvo::Run().iSpaceType = iSpaceType;
    doc_ = std::make_shared<xml::Document>();
    ASSERT_TRUE(doc_->LoadXML(sXml)) << doc_->GetParseError().sReason;
    sTimeBefore_ = NowText();
    clsXMLPars().MainXStruct(doc_);
    sTimeAfter_ = NowText();
  }

  std::vector<std::string> LogLines() const { return ReadLines(dir_.Path() / "parse.log"); }

  // A line the parser dated itself: the time of the parse, one blank, then sRest.
  void ExpectDatedLine(const std::string& sLine, const std::string& sRest) const {
    EXPECT_TRUE(sLine == sTimeBefore_ + " " + sRest || sLine == sTimeAfter_ + " " + sRest) << sLine;
  }

  // A handler's line: run-error text, error details, time, " in " and the source.
  static void ExpectErrorLine(const std::string& sLine, const std::string& sOperation) {
    EXPECT_EQ(sLine.rfind("RUN:", 0), 0u) << sLine;
    const std::string sTail = " in kVoExportExcel:clsXMLPars[" + sOperation + "]";
    EXPECT_TRUE(sLine.ends_with(sTail)) << sLine;
  }

  TempDir dir_;
  std::shared_ptr<xml::Document> doc_;
  std::string sTimeBefore_, sTimeAfter_;
};

}  // namespace kvo::test
