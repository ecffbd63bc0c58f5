// The workbook driver: application lifecycle and the top-to-bottom layout of the sheet.
#include <kvoexportexcel/RunError.h>

#include <algorithm>

#include "config/BuilderLabels.h"
#include "config/Handled.h"
#include "config/Log.h"
#include "config/RunState.h"
#include "config/TextConvert.h"
#include "model/RunCodes.h"
#include "workbook/BldSheetLayout.h"
#include "workbook/BldSupport.h"
#include "workbook/clsBldExcel.h"
#include "workbook/excel/FileFormats.h"

namespace kvo {

using bld::kMainBarRow;
using bld::kMainCaptionRow;
using bld::kMainFirstRow;
using bld::kPanelWidth;

namespace {

// Formats of the two black caption bars: fill, row height, font colour, font size.
constexpr std::int32_t kBarFill = 1;
constexpr double kBarHeight = 18;
constexpr std::int32_t kBarFontColor = 2;
constexpr std::int32_t kBarFontSize = 14;

}  // namespace

clsBldExcel::clsBldExcel() = default;
clsBldExcel::~clsBldExcel() = default;

bool clsBldExcel::InitExl(const std::string& sFile) {
  try {
    oExlApp = std::make_unique<excel::Application>();
    oExlBook = &oExlApp->Workbooks().Add();
    // The file exists from here on, before any cell is written.
    oExlBook->SaveAs(sFile);
    return true;
  } catch (...) {
    LogFailure(kClassName, "InitExl");
    // Back to the unset state, so that a later ExitExl has nothing to save or quit.
    oExlBook = nullptr;
    oExlApp.reset();
    return false;
  }
}

bool clsBldExcel::ExitExl() {
  // A workbook that could not be saved stays set: the builder's release drops it.
  return Handled(kClassName, "ExitExl", false, [&] {
    oExlSheet = nullptr;
    if (oExlBook != nullptr) {
      oExlBook->Save();
      oExlBook->Close();
      oExlBook = nullptr;
    }
    if (oExlApp) {
      oExlApp->Quit();
      oExlApp.reset();
    }
    return true;
  });
}

void clsBldExcel::ReportFailure(std::string_view sOperation) {
  if (SheetFull() && bFullReported) return;
  LogFailure(kClassName, sOperation);
  if (SheetFull()) bFullReported = true;
}

void clsBldExcel::ReportLosses() {
  const std::size_t lCut = Sheet().CutTexts();
  if (lCut > 0) {
    LogError(CountWas(static_cast<std::int64_t>(lCut), "cell text", "cell texts") + " cut to the " +
                 GroupedNumber(static_cast<std::int64_t>(Sheet().Limits().unitsPerCell)) +
                 " characters a cell holds",
             "", -1, false);
  }
  if (lFilesWithoutLink > 0) {
    LogError(CountWas(lFilesWithoutLink, "file name", "file names") +
                 " written without a link: " + "a sheet holds at most " +
                 GroupedNumber(static_cast<std::int64_t>(Sheet().Limits().linksPerSheet)) +
                 " hyperlinks",
             "", -1, false);
  }
}

void clsBldExcel::ReportUnfitObjects() {
  const std::int32_t lListed = ListedObjects();
  const std::int32_t lRows = Sheet().Limits().rows;
  const std::int32_t lLargest = excel::DefaultFileFormat().limits.rows;
  std::string sLine = GroupedNumber(lListed - lBlocksComplete) + " of " + GroupedNumber(lListed) +
                      " objects did not fit on the sheet: it holds " + GroupedNumber(lRows) +
                      " rows in this file format";
  if (lRows < lLargest) sLine += "; a .xlsx workbook holds " + GroupedNumber(lLargest) + " rows";
  LogError(sLine, "", -1, false);
}

bool clsBldExcel::FillExlFile() {
  return Handled(kClassName, "FillExlFile", false, [&] {
    if (oExlBook == nullptr) {
      throw RunError(kErrObjectNotSet, "Object variable or With block variable not set");
    }
    oExlSheet = &oExlBook->Worksheets(1);
    FormatSheet();
    FillCaptionTable();
    std::int32_t lListed = 0;
    DriverStep([&] { lListed = FillMainPanel(); });
    // One empty row between the main panel and the property caption bar.
    std::int32_t lRow = bld::RowAfter(kMainFirstRow, std::int64_t{lListed} + 1);
    if (!SheetFull()) DriverStep([&] { FillPropertyPanel(lRow); });
    FillHyperlinks();
    // Last, so that it also replaces the bottom alignment of the caption bars.
    Sheet().Cells().VerticalAlignment(excel::xlTop);
    // A full sheet prints down to its last row.
    FillPageSetup(std::min(lRow, Sheet().Limits().rows));
    ReportLosses();
    if (!SheetFull()) return true;
    ReportUnfitObjects();
    return false;
  });
}

void clsBldExcel::FormatSheet() {
  excel::Worksheet& oSheet = Sheet();
  oSheet.Columns().ColumnWidth(21);
  oSheet.Cells().HorizontalAlignment(excel::xlLeft);
  oSheet.Cells().WrapText(true);
  oSheet.Cells().NumberFormat("@");
}

void clsBldExcel::FillCaptionTable() {
  const VariantTable& vCaption = Run().vExlCaption;
  Sheet().Rows(1).Font().FontStyle("Bold");
  for (std::int32_t i = 0; i <= vCaption.LastEntry(); ++i) {
    WriteText(1, i + 1, vCaption(0, i));
    WriteText(2, i + 1, vCaption(1, i));
  }
}

std::int32_t clsBldExcel::FillMainPanel() {
  const RunState& run = Run();
  // Six fixed main-panel columns in structure mode, five in collection mode, then the tags.
  std::int32_t t = run.vAddTags.LastEntry();
  if (run.vAddTags.HoldsTable() && run.iSpaceType == kSpaceCollection) --t;
  FillCaption(kMainBarRow, 1, t + 7, kBarFill, kBarHeight, kBarFontColor, kBarFontSize, true, true);
  WriteLabel(kMainBarRow, 1,
             GetLabelByPath(GetGlobalPath() + "/" + lbl::kMainPanelBar.sName,
                            lbl::kMainPanelBar.sDefault));

  Sheet().Rows(kMainCaptionRow).Font().FontStyle("Bold");
  FillMainPanelCaption(kMainCaptionRow);

  std::int32_t lListed = 0;
  switch (run.iObjectType) {
    case kObjectItems:
      FillMainPanelItems(lListed, kMainFirstRow);
      break;
    case kObjectDocs:
      FillMainPanelDocs(lListed, kMainFirstRow);
      break;
    case kObjectFolders:
      FillMainPanelFolders(lListed, kMainFirstRow);
      break;
    default:
      break;
  }
  return lListed;
}

void clsBldExcel::FillPropertyPanel(std::int32_t& lRow) {
  FillCaption(lRow, 1, kPanelWidth, kBarFill, kBarHeight, kBarFontColor, kBarFontSize, true, true);
  WriteLabel(lRow, 1,
             GetLabelByPath(GetGlobalPath() + "/" + lbl::kPropertyPanelBar.sName,
                            lbl::kPropertyPanelBar.sDefault));
  bld::Advance(lRow);

  switch (Run().iObjectType) {
    case kObjectItems:
      FillItemsDetail(lRow);
      break;
    case kObjectDocs:
      FillDocsDetail(lRow);
      break;
    case kObjectFolders:
      FillFoldersDetail(lRow);
      break;
    default:
      break;
  }
}

void clsBldExcel::FillHyperlinks() {
  if (Run().iSpaceType == kSpaceStructure) {
    FillHyperlinkStruct();
  } else {
    FillHyperlinkCollect();
  }
}

void clsBldExcel::FillPageSetup(std::int32_t lLastRow) {
  excel::Worksheet& oSheet = Sheet();
  excel::PageSetup& oPage = oSheet.PageSetup();
  oPage.Orientation(excel::xlLandscape);
  oPage.PrintTitleRows(oSheet.Range(Cell(1, 1), Cell(3, 4)).Address());
  oPage.CenterFooter("&P");
  oPage.PrintArea(oSheet.Range(Cell(1, 1), Cell(lLastRow, kPanelWidth)).Address());
}

}  // namespace kvo
