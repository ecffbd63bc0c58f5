#include "config/ConfigCheck.h"

#include <gtest/gtest.h>
#include <kvoexportexcel/iclsExportExcel.h>
#include <stdlib.h>

#include <filesystem>
#include <optional>
#include <set>

#include "config/BuilderLabels.h"
#include "config/LabelTables.h"
#include "config/QueryRecorder.h"
#include "config/ResourceKeys.h"
#include "config/RunState.h"
#include "support/TestSupport.h"

namespace kvo {
namespace {

namespace fs = std::filesystem;

const std::string kExamples = test::SourcePath("examples/");

// The bundled configuration with its first sFrom replaced by sTo, or without the element that
// the start tag sFrom opens when sTo is nullptr; written to a file of its own.
std::string Broken(const test::TempDir& dir, const std::string& sFrom, const char* sTo) {
  std::string sText = test::ReadFile(kExamples + "config.xml");
  const std::size_t lAt = sText.find(sFrom);
  EXPECT_NE(lAt, std::string::npos) << sFrom;
  if (lAt == std::string::npos) return "";
  if (sTo != nullptr) {
    sText.replace(lAt, sFrom.size(), sTo);
  } else {
    const std::string sEnd = "</" + sFrom.substr(1);
    sText.erase(lAt, sText.find(sEnd, lAt) + sEnd.size() - lAt);
  }
  test::WriteFile(dir.Path() / "config.xml", sText);
  return dir.Str("config.xml");
}

std::string SetupText(const std::string& sFile) {
  return test::ReadFile(kExamples + "setup/" + sFile);
}

// The findings of one severity whose text holds sPart.
std::size_t Matching(const CheckReport& tReport, Severity eSeverity, const std::string& sPart) {
  std::size_t n = 0;
  for (const Finding& t : tReport.Findings()) {
    n += t.eSeverity == eSeverity && t.sText.find(sPart) != std::string::npos;
  }
  return n;
}

TEST(ConfigCheck, BundledConfigurationHasNoFinding) {
  EXPECT_EQ(CheckConfiguration(kExamples + "config.xml", std::nullopt).Format("config.xml"),
            "config.xml: no findings\n");
  for (const auto& entry : fs::directory_iterator(kExamples + "setup")) {
    SCOPED_TRACE(entry.path().string());
    const std::string sSetup = test::ReadFile(entry.path());
    EXPECT_TRUE(CheckConfiguration(kExamples + "config.xml", sSetup).Findings().empty());
  }
}

// One broken configuration per kind of finding: the finding and whether an export fails.
struct Case {
  const char* sFrom;  // replaced in the configuration, or in the setup string when one is given
  const char* sTo;
  std::optional<std::string> sSetup;
  Severity eSeverity;
  const char* sFinding;
};

TEST(ConfigCheck, EachKindOfProblemGivesItsFinding) {
  const std::string kItems = SetupText("items-structure.xml");
  const Case kCases[] = {
      {"<MSG_RUN_ERROR>Run error: </MSG_RUN_ERROR>", "", std::nullopt, Severity::kWarning,
       "MESSAGES/MSG_RUN_ERROR: missing or empty; every run-error line loses its leading text"},
      {"<MSG_OF_FOLDER> of folder </MSG_OF_FOLDER>", "", std::nullopt, Severity::kWarning,
       "MSG_OF_FOLDER: missing or empty; in folder exports, the line for an empty structure"},
      {"<DOC_PS>DocStructure</DOC_PS>", "", std::nullopt, Severity::kError,
       "CUSTOM_OBJECTS/DOC_PS: missing or empty; document exports fail: the structure walk"},
      {"<FOLDER>Folder</FOLDER>", "", std::nullopt, Severity::kError,
       "folder exports fail: the setup's OBJECT_TYPE matches no element name, so the run ends "
       "with the setup-string line; in item and document exports, the folders of items"},
      {"<MNF_VND_KEY>mfrPartNumber</MNF_VND_KEY>", "", std::nullopt, Severity::kWarning,
       "CUSTOM_FIELDS/MNF_VND_KEY: missing or empty; in item exports, no supplier is tied"},
      {"<EXL_CAPTION_LBL>", nullptr, std::nullopt, Severity::kError,
       "EXL_CAPTION_LBL: missing, or no child has a positive ORDER; every export fails: the run "
       "ends with the line \"Setup string is invalid"},
      {"<VND_CAP_LBL>", nullptr, std::nullopt, Severity::kError,
       "PROPERTY_LBL/VND_LBL/VND_CAP_LBL: missing or without child elements; item exports fail: "
       "the run ends with the line \"Configuration data is incomplete or incorrect\""},
      {"<ACCESS ORDER=\"3\" FIELD=\"access\">", "<ACCESS ORDER=\"3\">", std::nullopt,
       Severity::kError,
       "FOLDER_ATTR_LBL/ATTRIBUTE_LIST_LBL/ACCESS: no FIELD; every export fails: the run logs a "
       "run error and ends with the line"},
      {"<MODIFIED ORDER=\"3\"", "<MODIFIED ORDER=\"99999999999\"", std::nullopt, Severity::kError,
       "the ORDER \"99999999999\" of MODIFIED is no whole number; every export fails"},
      {"<DESCRIPTION ORDER=\"3\" FIELD=\"description\">", "<DESCRIPTION ORDER=\"3\">", std::nullopt,
       Severity::kWarning,
       "ITEM_CAP_LBL: no child with ORDER 3 names a FIELD; items show no description"},
      {"<REFERENCE_FOLDER_LBL>Reference Folders</REFERENCE_FOLDER_LBL>", "", std::nullopt,
       Severity::kWarning,
       "in folder exports, the bar over reference folders shows the built-in \"Reference "
       "Folders\""},
      {"<MNF_CAP_LBL>Manufacturers with Suppliers</MNF_CAP_LBL>", "", std::nullopt,
       Severity::kWarning, "the bar over manufacturers with suppliers stays empty"},
      {"<PROJECT ORDER=\"3\">", "<PROJECT ORDER=\"2\">", std::nullopt, Severity::kWarning,
       "EXL_CAPTION_LBL: ORDER 2 is given 2 times; the caption table shows them as REPORT_NAME, "
       "PROJECT"},
      {"<ACCESS ORDER=\"2\"", "<ACCESS ORDER=\"1.5\"", std::nullopt, Severity::kWarning,
       "MAIN_ADD_LBL/FOLDER/ACCESS: ORDER \"1.5\" is read as 2"},
      {"<LANGUAGE ORDER=\"4\"", "<LANGUAGE ORDER=\"0\"", std::nullopt, Severity::kWarning,
       "LANGUAGE: ORDER \"0\" is not a positive number; the run leaves it out of the attribute "
       "list of documents and drawings"},
      {"<REF_DES ORDER=\"4\">Reference Designators</REF_DES>",
       "<REF_DES ORDER=\"2\">Reference Designators</REF_DES>", std::nullopt, Severity::kWarning,
       "CHILD_LIST_LBL/REF_DES: ORDER \"2\" repeats that of QUANTITY"},
      {"<REMARKS ORDER=\"6\">Remarks</REMARKS>", "", std::nullopt, Severity::kWarning,
       "MAIN_LBL/FOLDER: 5 captions instead of six"},
      {"OWNER=\"REF_DES_DEF\"", "OWNER=\"BOMLINE\"", std::nullopt, Severity::kWarning,
       "OWNER \"BOMLINE\" is none of ITEM, ITEM_PS_DEF, REF_DES_DEF; in item exports, its column"},
      {"</GLOBAL>", "</GLOBAL><COLOURS><HEAD>grey</HEAD></COLOURS>", std::nullopt,
       Severity::kWarning, "COLOURS: no export reads it"},
      {"<PROJECT>SC-4000 Sensor Controller</PROJECT>", "", kItems, Severity::kWarning,
       "SETUP: no PROJECT; the caption value under \"Project\" stays empty"},
  };
  for (const Case& t : kCases) {
    SCOPED_TRACE(std::string(t.sFrom) + " -> " + (t.sTo ? t.sTo : "(removed)"));
    test::TempDir dir;
    std::optional<std::string> sSetup = t.sSetup;
    if (sSetup) sSetup->replace(sSetup->find(t.sFrom), std::string(t.sFrom).size(), t.sTo);
    const std::string sConfig = sSetup ? kExamples + "config.xml" : Broken(dir, t.sFrom, t.sTo);
    const CheckReport tReport = CheckConfiguration(sConfig, sSetup);
    EXPECT_EQ(Matching(tReport, t.eSeverity, t.sFinding), 1u) << tReport.Format("c");
    EXPECT_EQ(tReport.HasError(), t.eSeverity == Severity::kError) << tReport.Format("c");
  }
}

// With a setup string only the export it names counts.
TEST(ConfigCheck, SetupNarrowsTheCheckToItsExport) {
  test::TempDir dir;
  const std::string sConfig = Broken(dir, "<MNF_LBL>", nullptr);
  EXPECT_TRUE(CheckConfiguration(sConfig, SetupText("folders-collection.xml")).Findings().empty());
  const CheckReport tItems = CheckConfiguration(sConfig, SetupText("items-collection.xml"));
  EXPECT_EQ(Matching(tItems, Severity::kError,
                     "MNF_CAP_LBL: missing or without child elements; item collection exports "
                     "fail"),
            1u)
      << tItems.Format("c");
  // Its labels no longer count as missing: the export they would show in fails anyway.
  EXPECT_EQ(tItems.Count(Severity::kWarning), 0u) << tItems.Format("c");
}

TEST(ConfigCheck, DocumentAndSetupStringProblems) {
  test::TempDir dir;
  test::WriteFile(dir.Path() / "bad.xml", "<cfg>\n<MESSAGES>\n</cfg>");
  const CheckReport tBad = CheckConfiguration(dir.Str("bad.xml"), std::nullopt);
  EXPECT_EQ(
      Matching(tBad, Severity::kError, "the document does not load: IniDoc Load Parse error:"), 1u);
  EXPECT_EQ(Matching(tBad, Severity::kError, "On Line: 3 At Position: "), 1u);
  EXPECT_EQ(Matching(CheckConfiguration(dir.Str("none.xml"), std::nullopt), Severity::kError,
                     "WAS NOT FOUND"),
            1u);

  const std::string sConfig = kExamples + "config.xml";
  const std::string sSetupFile = kExamples + "setup/items-collection.xml";
  EXPECT_EQ(Matching(CheckConfiguration(sConfig, sSetupFile), Severity::kError,
                     "SETUP: it is not XML: String Load Parse error: "),
            1u);
  EXPECT_EQ(Matching(CheckConfiguration(sConfig, sSetupFile), Severity::kError,
                     "; it names a file: did you mean @" + sSetupFile + "?"),
            1u);
  const CheckReport tTypes = CheckConfiguration(
      sConfig, "<s><SPACE_TYPE>collection</SPACE_TYPE><OBJECT_TYPE>Part</OBJECT_TYPE></s>");
  EXPECT_EQ(Matching(tTypes, Severity::kError,
                     "SPACE_TYPE \"collection\" is neither \"STRUCTURE\" nor \"COLLECTION\""),
            1u);
  EXPECT_EQ(Matching(tTypes, Severity::kError,
                     "OBJECT_TYPE \"Part\" names no configured object element; the configured "
                     "ones are \"Item\", \"Document\" or \"Folder\"; the export fails: the run "
                     "ends with the line \"Setup string is invalid"),
            1u);

  // An empty MESSAGES fails every export; the element names it leaves unread are no findings.
  const CheckReport tNoMessages =
      CheckConfiguration(Broken(dir, "<MESSAGES>", nullptr), std::nullopt);
  EXPECT_EQ(Matching(tNoMessages, Severity::kError,
                     "MESSAGES: missing or without child elements; every export fails: the log "
                     "gets \"Resources was not initialized\""),
            1u);
}

// The check knows every query the run makes: each bundled example is exported while the
// configuration reader's queries are recorded, then the check reads the same configuration.
TEST(ConfigCheck, KnowsEveryQueryOfTheRun) {
  const struct {
    const char* sSource;
    const char* sSetup;
  } kExports[] = {
      {"items-structure.xml", "items-structure.xml"},
      {"items-structure.xml", "items-structure-named.xml"},
      {"items-collection.xml", "items-collection.xml"},
      {"documents.xml", "documents-structure.xml"},
      {"documents.xml", "documents-collection.xml"},
      {"folders.xml", "folders-structure.xml"},
      {"folders.xml", "folders-collection.xml"},
  };
  test::TempDir dir;
  test::SetEnv("APPDATA", dir.Str());
  fs::create_directories(dir.Path() / "ORVELD/Addin Modules/Stackwright/Export");
  std::set<std::string> sRun;
  {
    QueryRecorder oRun([](const clsXMLIniData& r) { return &r == kvo::Run().oIniData.get(); });
    for (const auto& t : kExports) {
      ResetRunState();
      fs::copy_file(kExamples + t.sSource, dir.Path() / t.sSource,
                    fs::copy_options::overwrite_existing);
      EXPECT_TRUE(iclsExportExcel().ParseMain(dir.Str(t.sSource), kExamples + "config.xml",
                                              SetupText(t.sSetup), ".xlsx"))
          << t.sSetup;
    }
    sRun.insert(oRun.Queries().begin(), oRun.Queries().end());
  }
  test::UnsetEnv("APPDATA");
  ResetRunState();

  QueryRecorder oCheck([](const clsXMLIniData&) { return true; });
  EXPECT_TRUE(CheckConfiguration(kExamples + "config.xml", std::nullopt).Findings().empty());
  const std::set<std::string> sChecked(oCheck.Queries().begin(), oCheck.Queries().end());
  for (const std::string& sQuery : sRun) {
    EXPECT_TRUE(sChecked.contains(sQuery)) << "the run reads " << sQuery << ", the check does not";
  }
  // The check reads nothing the run would not: what it counts as read, the run reads.
  for (const std::string& sQuery : sChecked) {
    EXPECT_TRUE(sRun.contains(sQuery)) << "the check reads " << sQuery << ", no run does";
  }
}

// The configuration reference names every key and label the run reads, and every built-in text.
TEST(ConfigCheck, ReferenceNamesWhatTheRunReads) {
  const std::string sDoc = test::ReadFile(test::SourcePath("docs/configuration.md"));
  // Named in code type, alone or as a step of a path.
  const auto fnNamed = [&sDoc](const std::string& sName) {
    bool bFound = false;
    for (std::size_t i = sDoc.find(sName); i != std::string::npos && !bFound;
         i = sDoc.find(sName, i + 1)) {
      const char cBefore = i > 0 ? sDoc[i - 1] : ' ';
      const char cAfter = i + sName.size() < sDoc.size() ? sDoc[i + sName.size()] : ' ';
      bFound = (cBefore == '`' || cBefore == '/') && (cAfter == '`' || cAfter == '/');
    }
    EXPECT_TRUE(bFound) << sName;
  };
  const auto fnLast = [](const std::string& sPath) { return sPath.substr(sPath.rfind('/') + 1); };
  for (const res::ResourceKey& t : res::kResourceKeys) fnNamed(fnLast(t.sQuery));
  for (const lbl::FieldSection& t : lbl::kFieldSections) fnNamed(fnLast(t.sPath));
  for (const lbl::AttrLabelTable& t : lbl::kAttrLabelTables) fnNamed(t.sPath + 13);
  for (const lbl::Label* p : lbl::kLabels) {
    fnNamed(fnLast(p->sName));
    if (*p->sDefault != '\0') fnNamed(p->sDefault);
  }
  for (const lbl::OrderLabels* p : lbl::kOrderLabels) {
    fnNamed(p->sNode);
    for (const char* sDefault : p->sDefaults) {
      if (sDefault != nullptr) fnNamed(sDefault);
    }
  }
  for (const lbl::KindKeys& t : lbl::kKindKeys) {
    for (const char* sKey : {t.sKey, t.sStructure, t.sCollection}) fnNamed(sKey);
  }
  for (const char* sOwner : lbl::kItemTagOwners) fnNamed(sOwner);
  for (const lbl::PanelBar* p : {&lbl::kMainPanelBar, &lbl::kPropertyPanelBar}) {
    fnNamed(p->sName);
    fnNamed(p->sDefault);
  }
}

}  // namespace
}  // namespace kvo
