// The workbook builder: starts the spreadsheet application, fills the one worksheet from the
// export data model (caption table, main panel, property panel, links, page setup) and saves it.
// Every fill operation writes downward from a row cursor that it takes by reference and leaves
// on the first row after what it wrote.
#pragma once

#include <cstdint>
#include <memory>
#include <string>
#include <string_view>
#include <type_traits>
#include <vector>

#include "model/ExportModel.h"
#include "workbook/excel/Application.h"
#include "workbook/excel/Range.h"
#include "workbook/excel/Workbook.h"
#include "workbook/excel/Worksheet.h"

namespace kvo {

class clsXMLIniData;
class VariantTable;

namespace test {
class BldExcelProbe;
}
namespace bld {
template <class Main, class Rec>
struct RelationList;
}
namespace lbl {
struct Label;
struct OrderLabels;
}  // namespace lbl

class clsBldExcel {
 public:
  clsBldExcel();
  ~clsBldExcel();
  clsBldExcel(const clsBldExcel&) = delete;
  clsBldExcel& operator=(const clsBldExcel&) = delete;

  // Starts the application and saves a new empty workbook under sFile at once.
  bool InitExl(const std::string& sFile);
  // Fills the worksheet; true when every step of the driver ran without error.
  bool FillExlFile();
  // Saves and closes the workbook and quits; false when the workbook could not be saved.
  bool ExitExl();

 private:
  // The tests reach the internal operations through this one probe.
  friend class test::BldExcelProbe;

  // Steps of the driver (BldDriver.cpp), top to bottom; the driver's handler reports their
  // failures.
  void FormatSheet();
  void FillCaptionTable();
  // Bar, column captions and one row per listed main object; returns the number of rows.
  std::int32_t FillMainPanel();
  // Bar and detail blocks from lRow down; leaves lRow under the last block.
  void FillPropertyPanel(std::int32_t& lRow);
  // Links from the main-panel rows to the detail blocks.
  void FillHyperlinks();
  // Landscape pages, title rows, page-number footer, print area down to lLastRow.
  void FillPageSetup(std::int32_t lLastRow);

  // Main panel (BldMainPanel.cpp).
  void FillMainPanelCaption(std::int32_t lRowNo);
  void FillMainPanelItems(std::int32_t& lCount, std::int32_t lFirstRow);
  void FillMainPanelItem(std::int32_t lRowNo, std::int32_t lColOffset, std::int32_t lIndex);
  void FillMainPanelDocs(std::int32_t& lCount, std::int32_t lFirstRow);
  void FillMainPanelDoc(std::int32_t lRowNo, std::int32_t lColOffset, std::int32_t lIndex);
  void FillMainPanelFolders(std::int32_t& lCount, std::int32_t lFirstRow);
  void FillMainPanelFolder(std::int32_t lRowNo, std::int32_t lColOffset, std::int32_t lIndex);
  template <class Main>
  void FillMainPanelRows(const std::vector<Main>& arrMain, std::int32_t& lCount,
                         std::int32_t lFirstRow,
                         void (clsBldExcel::*pFillRow)(std::int32_t, std::int32_t, std::int32_t));
  void FillMainPanelValues(std::int32_t lRowNo, std::int32_t lColOffset,
                           const std::vector<const std::string*>& vFixed, const AttrList& vAddAttr);

  // Property panel (BldDetails.cpp).
  void FillItemsDetail(std::int32_t& lRow);
  void FillItemDetail(std::int32_t lIndex, std::int32_t& lRow);
  void FillDocsDetail(std::int32_t& lRow);
  void FillDocDetail(std::int32_t lIndex, std::int32_t& lRow);
  void FillDocChild(std::string& sList, std::int32_t& lRow);
  void FillFoldersDetail(std::int32_t& lRow);
  void FillFolderDetail(std::int32_t lIndex, std::int32_t& lRow);
  void FillFolderChild(std::string& sList, std::int32_t& lRow);
  template <class Main>
  void FillDetails(const std::vector<Main>& arrMain, std::int32_t& lRow,
                   void (clsBldExcel::*pFillBlock)(std::int32_t, std::int32_t&));

  // Object blocks (BldObjectBlocks.cpp); the four heads have no handler of their own.
  void FillItem(const ObjStruct& tRec, std::int32_t& lRow, std::int32_t lInteriorColor,
                bool bBorders);
  void FillDoc(const DocStruct& tRec, std::int32_t& lRow, const std::string& sLblPath,
               std::int32_t lInteriorColor, bool bBorders);
  void FillDrawing(const DrawingStruct& tRec, std::int32_t& lRow, const std::string& sLblPath,
                   std::int32_t lInteriorColor, bool bBorders);
  void FillFolder(const ObjStruct& tRec, std::int32_t& lRow, const std::string& sLblPath,
                  std::int32_t lInteriorColor, bool bBorders);
  void FillFiles(const std::vector<FileStruct>& arrFiles, std::int32_t lFilesUB,
                 std::int32_t& lRow);
  void FillChild(std::int32_t lIndex, std::int32_t& lRow);
  void FillLAIOfChild2(std::int32_t lIndex, std::int32_t& lRow);
  // The head row of a block drawn with the label path sLblPath: tHead's node below it, its
  // ORDER 1 to 3 labels beside the identifier, revision and description.
  void FillHeadRow(const std::string& sLblPath, const lbl::OrderLabels& tHead,
                   const std::string& sID, const std::string& sRev, const std::string& sDesc,
                   std::int32_t& lRow, std::int32_t lInteriorColor, bool bBorders);
  void FillDocWithFiles(const DocFields& tRec, std::int32_t& lRow, const std::string& sLblPath,
                        bool bDrawing, std::int32_t lInteriorColor, bool bBorders);

  // Relationship lists (BldRelationLists.cpp): one family driven by a table.
  void FillDocListForItem(std::int32_t lIndex, std::int32_t& lRow);
  void FillDrawingListForItem(std::int32_t lIndex, std::int32_t& lRow);
  void FillFolderListForItem(std::int32_t lIndex, std::int32_t& lRow);
  void FillItemListForDoc(std::int32_t lIndex, std::int32_t& lRow);
  void FillFolderListForDoc(std::int32_t lIndex, std::int32_t& lRow);
  void FillDocListForDoc(std::int32_t lIndex, std::int32_t& lRow);
  void FillItemListForFolder(std::int32_t lIndex, std::int32_t& lRow);
  void FillDocListForFolder(std::int32_t lIndex, std::int32_t& lRow);
  void FillFolderListForFolder(std::int32_t lIndex, std::int32_t& lRow);
  template <class Main, class Rec>
  void FillRelationList(const bld::RelationList<Main, Rec>& tList, std::int32_t lIndex,
                        std::int32_t& lRow);
  void FillListEntry(const ObjStruct& tRec, const std::string& sLblPath, std::int32_t& lRow);
  void FillListEntry(const DocStruct& tRec, const std::string& sLblPath, std::int32_t& lRow);
  void FillListEntry(const DrawingStruct& tRec, const std::string& sLblPath, std::int32_t& lRow);

  // Manufacturers and suppliers (BldSupply.cpp).
  void FillManufacturAndSupp(std::int32_t lIndex, std::int32_t& lRow);
  void FillManufactur(const std::vector<MnfStruct>& arrMnf, std::int32_t lMnfUB, std::int32_t& lRow,
                      bool bWithSuppliers);
  void FillSuppliers(const std::vector<ObjStruct>& arrVnd, std::int32_t lVndUB, std::int32_t& lRow,
                     bool bWithAttr);
  void FillSectionCaption(const lbl::Label& tCaption, std::int32_t& lRow);

  // Attribute columns and hyperlinks (BldAttrLinks.cpp).
  void FillAttrByCol(const std::vector<std::string>& vAttrValues, const VariantTable& vAttrLbl,
                     std::int32_t lUBound, std::int32_t& lRow);
  void FillAttributes(const AttrList& vAttr, const VariantTable& vAttrLbl, std::int32_t& lRow);
  static std::string GetValidName(const std::string& sText);
  std::string GetItemHyperlinkName(std::int32_t lIndex);
  std::string GetDocHyperlinkName(std::int32_t lIndex);
  std::string GetFolderHyperlinkName(std::int32_t lIndex);
  std::string BlockName(const std::string& sID, const std::string& sRev, std::int32_t lIndex) const;
  std::string BlockNameOfKind(std::int32_t lIndex);
  // False for a block the full sheet could not hold.
  bool HasBlock(const std::string& sName) const;
  void FillHyperlinkStruct();
  void FillHyperlinkCollect();

  // Sheet layout primitives (BldLayout.cpp).
  void FillCaption(std::int32_t lRowNo, std::int32_t lColFrom, std::int32_t lColTo,
                   std::int32_t lInteriorColor, double dRowHeight, std::int32_t lFontColor,
                   std::int32_t lFontSize, bool bBorders, bool bMerge);
  std::string GetLabelByID(std::int32_t lID, const std::string& sDefault);
  std::string GetLabelByID(std::int32_t lID, const std::string& sDefault, std::int32_t& lLen);
  std::string GetLabelByNode(const std::string& sNode, const std::string& sDefault);
  std::string GetLabelByNode(const std::string& sNode, const std::string& sDefault,
                             std::int32_t& lLen);
  std::string GetLabelByPath(const std::string& sPath, const std::string& sDefault);
  // A label of the builder's table: by its path, or by its name after selecting its section.
  std::string GetLabel(const lbl::Label& tLabel);
  // The bold-italic sub-caption bar at lRow: merged over the panel's width with lines above and
  // below, sText in its first cell; advances lRow.
  void FillSubCaption(const std::string& sText, std::int32_t& lRow);
  // The sub-caption bar "Attributes" of an object block.
  void FillAttrCaption(std::int32_t& lRow);
  static std::string GetGlobalPath();

  // Small helpers shared by all regions (BldLayout.cpp).
  static clsXMLIniData& IniData();
  excel::Worksheet& Sheet() const;
  excel::Range Cell(std::int32_t lRow, std::int32_t lCol) const;
  void WriteText(std::int32_t lRow, std::int32_t lCol, const std::string& sText) const;
  void WriteLabel(std::int32_t lRow, std::int32_t lCol, const std::string& sText) const;
  // The heading of a child's alternates or a manufacturer's suppliers at lRow: the label over
  // columns 1 and 2 and the owner's identifier in column 3, both grey; advances lRow.
  void FillOwnerHeading(const std::string& sLabel, const std::string& sOwnerID, std::int32_t& lRow);
  // Three label and value pairs in columns 1 to 6 of one row, the labels bold.
  void WriteLabelledRow(std::int32_t lRow, const std::string& sLabel1, const std::string& sValue1,
                        const std::string& sLabel2, const std::string& sValue2,
                        const std::string& sLabel3, const std::string& sValue3) const;
  void WriteStyled(std::int32_t lRow, std::int32_t lCol, const std::string& sText,
                   const char* sFontStyle) const;
  void SelectLabelNode(const std::string& sPath);

  // Owner of the handlers' log lines.
  // The builder's handlers: Handled with one rule more. Once the sheet is full (a row past its
  // last one was refused), fill operations attempt nothing, and the refusal is logged once, by
  // the operation that met it first; Reported operations still run.
  template <class F>
  void Guarded(std::string_view sOperation, F&& fnBody) {
    if (!SheetFull()) Reported(sOperation, fnBody);
  }
  template <class F>
  void Reported(std::string_view sOperation, F&& fnBody) {
    try {
      fnBody();
    } catch (...) {
      ReportFailure(sOperation);
    }
  }
  template <class F, class R = std::invoke_result_t<F&>>
  R Guarded(std::string_view sOperation, std::type_identity_t<R> vFailure, F&& fnBody) {
    try {
      return fnBody();
    } catch (...) {
      ReportFailure(sOperation);
      return vFailure;
    }
  }
  // Inside a catch block: logs the failure, unless it is the full sheet refusing again.
  void ReportFailure(std::string_view sOperation);
  bool SheetFull() const { return oExlSheet != nullptr && oExlSheet->Full(); }
  // Runs a step of the driver; a full sheet ends the step quietly (once logged), any other
  // failure reaches the driver's handler.
  template <class F>
  void DriverStep(F&& fnStep) {
    try {
      fnStep();
    } catch (...) {
      if (!SheetFull()) throw;
      ReportFailure("FillExlFile");
    }
  }
  // The objects whose blocks the full sheet could not hold: one plain log line.
  void ReportUnfitObjects();
  // One plain line each for cell texts that were cut and file names left without a link.
  void ReportLosses();
  // After the main-panel links: one plain line for the objects the full link list left out.
  void ReportObjectsWithoutLink(std::int32_t lLinked);
  // The main objects that get a panel row and a block: all in structure mode, the top-level
  // ones in collection mode.
  static std::int32_t ListedObjects();
  // A file's name in cell (lRow, lCol), linked to the file; as plain text, with a log line, when
  // its target is too long, and counted in lFilesWithoutLink when the sheet holds no more links.
  void WriteFileName(std::int32_t lRow, std::int32_t lCol, const std::string& sName);
  // Level of main slot lIndex of the run's kind.
  static std::int32_t LevelOfSlot(std::int32_t lIndex);

  static constexpr const char* kClassName = "clsBldExcel";

  std::unique_ptr<excel::Application> oExlApp;
  excel::Workbook* oExlBook = nullptr;
  excel::Worksheet* oExlSheet = nullptr;
  bool bCurNodeFound = false;
  bool bFullReported = false;          // the full sheet's refusal has been logged
  std::int32_t lBlocksComplete = 0;    // detail blocks written whole
  std::int64_t lFilesWithoutLink = 0;  // file names written as text: the sheet held no more links
};

}  // namespace kvo
