// Shared set-up of the workbook builder tests: a run state with a loaded configuration and
// label tables, a builder writing into a temporary folder, and the probe that reaches the
// builder's internal operations and its worksheet.
#pragma once

#include <gtest/gtest.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include <array>
#include <cstddef>
#include <cstdint>
#include <initializer_list>
#include <memory>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "config/RunState.h"
#include "support/TestSupport.h"
#include "workbook/clsBldExcel.h"
#include "workbook/excel/store/CellValue.h"
#include "workbook/excel/Worksheet.h"

namespace kvo::test {

class BldExcelProbe {
 public:
  using ListOp = void (clsBldExcel::*)(std::int32_t, std::int32_t&);

  explicit BldExcelProbe(clsBldExcel& oBld) : b_(oBld) {}

  excel::Worksheet& Sheet() { return *b_.oExlSheet; }
  // Points the builder at its worksheet without running the driver.
  void UseSheet() { b_.oExlSheet = &b_.oExlBook->Worksheets(1); }
  bool& CurNodeFound() { return b_.bCurNodeFound; }

  void FillAttrByCol(const std::vector<std::string>& vValues, const VariantTable& vLbl,
                     std::int32_t& lRow) {
    b_.FillAttrByCol(vValues, vLbl, static_cast<std::int32_t>(vValues.size()) - 1, lRow);
  }
  static std::string GetValidName(const std::string& s) { return clsBldExcel::GetValidName(s); }
  std::string ItemName(std::int32_t i) { return b_.GetItemHyperlinkName(i); }
  std::string DocName(std::int32_t i) { return b_.GetDocHyperlinkName(i); }
  std::string FolderName(std::int32_t i) { return b_.GetFolderHyperlinkName(i); }
  std::string LabelByID(std::int32_t lID, const std::string& sDef, std::int32_t& lLen) {
    return b_.GetLabelByID(lID, sDef, lLen);
  }
  static std::string GlobalPath() { return clsBldExcel::GetGlobalPath(); }
  void FillChild(std::int32_t i, std::int32_t& lRow) { b_.FillChild(i, lRow); }
  void FillDocChild(std::string sList, std::int32_t& lRow) { b_.FillDocChild(sList, lRow); }
  void FillDoc(const DocStruct& t, std::int32_t& lRow) {
    b_.FillDoc(t, lRow, "PROPERTY_LBL/DOCUMENT_LBL", 0, false);
  }
  void FillSupply(std::int32_t i, std::int32_t& lRow) { b_.FillManufacturAndSupp(i, lRow); }
  void FillList(ListOp pOp, std::int32_t i, std::int32_t& lRow) { (b_.*pOp)(i, lRow); }

  // The nine relationship lists: three of items, three of documents, three of folders.
  static std::array<ListOp, 9> ListOps() {
    return {&clsBldExcel::FillDocListForItem,     &clsBldExcel::FillDrawingListForItem,
            &clsBldExcel::FillFolderListForItem,  &clsBldExcel::FillItemListForDoc,
            &clsBldExcel::FillFolderListForDoc,   &clsBldExcel::FillDocListForDoc,
            &clsBldExcel::FillItemListForFolder,  &clsBldExcel::FillDocListForFolder,
            &clsBldExcel::FillFolderListForFolder};
  }

 private:
  clsBldExcel& b_;
};

using Row = std::vector<std::string>;

// Fills a table with one entry per row of cells (cell k goes to part k).
inline void SetTable(VariantTable& vTable, std::initializer_list<Row> vRows) {
  vTable.Redim(static_cast<std::int32_t>(vRows.begin()->size()),
               static_cast<std::int32_t>(vRows.size()) - 1);
  std::int32_t lEntry = 0;
  for (const Row& vRow : vRows) {
    for (std::size_t k = 0; k < vRow.size(); ++k)
      vTable.At(static_cast<std::int32_t>(k), lEntry) = vRow[k];
    ++lEntry;
  }
}

// An item whose texts derive from its ID, without relations.
inline ObjItem MakeItem(std::int32_t lLevel, const std::string& sID,
                        const std::string& sChildren = "") {
  ObjItem t;
  t.lLevel = lLevel;
  t.tItem = {sID, "d" + sID, "r" + sID, std::nullopt};
  t.sQty = "q" + sID, t.sFindNo = "f" + sID, t.sChildren = sChildren;
  t.lLAIUB = t.lMnfUB = t.lVndUB = t.lDocUB = t.lDrawingUB = t.lFolderUB = -1;
  return t;
}

// A configuration that holds none of the builder's labels.
inline const char* kBareConfig = "<cfg><MESSAGES><M>x</M></MESSAGES></cfg>";

class BldFixture : public ::testing::Test {
 protected:
  void SetUp() override {
    ResetRunState();
    RunState& run = kvo::Run();
    run.sLogPath = dir_.Str("ExportExcel.log");
    run.sMsgRunError = "RUN:";
    run.sObjItem = "Item", run.sObjDoc = "Document", run.sObjFolder = "Folder";
    run.sObjectType = "Item", run.iObjectType = 1, run.iSpaceType = 1;
    LoadConfig(ReadFile(SourcePath("examples/config.xml")));
    SetTable(run.vExlCaption,
             {{"Prepared By", "ann"}, {"Report", "rep"}, {"Project", "p1"}, {"Date", "today"}});
    SetTable(run.vItemAttrLbl, {{"Type", "t"}, {"Mass", "m"}});
    SetTable(run.vFileAttrLbl, {{"Size", "z"}});
    SetTable(run.vMnfAttrLbl, {{"Pref", "p"}});
    SetTable(run.vVndAttrLbl, {{"Lead", "l"}});
  }
  void TearDown() override { ResetRunState(); }

  void LoadConfig(const std::string& sXml) {
    kvo::Run().oIniData = std::make_shared<clsXMLIniData>();
    std::string sErr;
    ASSERT_TRUE(kvo::Run().oIniData->LoadXString(sXml, sErr)) << sErr;
  }
  void SetItems(std::vector<ObjItem> vItems) {
    kvo::Run().arrItems = std::move(vItems);
    kvo::Run().lMainUBound = static_cast<std::int32_t>(kvo::Run().arrItems.size()) - 1;
  }

  // Starts the builder on a fresh workbook in the temporary folder.
  void Init(const std::string& sFile = "out.xlsx") {
    sOut_ = dir_.Str(sFile);
    ASSERT_TRUE(bld_.InitExl(sOut_));
  }
  // Starts the builder and points it at its sheet, for operations run one by one.
  void InitSheet() {
    Init();
    probe_.UseSheet();
  }
  bool InitAndFill() {
    Init();
    return bld_.FillExlFile();
  }

  excel::Worksheet& Sheet() { return probe_.Sheet(); }
  // Text of a cell; a number shows as "#", an empty cell as "".
  std::string Text(std::int32_t r, std::int32_t c) {
    const excel::CellValue v = Sheet().ValueAt(r, c);
    return v.kind == excel::CellValue::Kind::Number ? "#" : v.text;
  }
  // The texts of row r from column 1 on, as many as vTexts holds.
  void ExpectRow(std::int32_t r, const Row& vTexts) {
    Row vActual;
    for (std::size_t c = 1; c <= vTexts.size(); ++c) {
      vActual.push_back(Text(r, static_cast<std::int32_t>(c)));
    }
    EXPECT_EQ(vActual, vTexts) << "row " << r;
  }
  void ExpectRows(const std::vector<std::pair<std::int32_t, Row>>& vRows) {
    for (const auto& [r, vTexts] : vRows) ExpectRow(r, vTexts);
  }
  std::vector<std::string> LogLines() const { return ReadLines(dir_.Path() / "ExportExcel.log"); }
  // True when the last log line is a handler's line of the given operation.
  bool LastLogFrom(const std::string& sOperation) const {
    const auto v = LogLines();
    return !v.empty() && v.back().rfind("RUN:", 0) == 0 &&
           v.back().ends_with(" in kVoExportExcel:clsBldExcel[" + sOperation + "]");
  }

  TempDir dir_;
  std::string sOut_;
  clsBldExcel bld_;
  BldExcelProbe probe_{bld_};
};

}  // namespace kvo::test
