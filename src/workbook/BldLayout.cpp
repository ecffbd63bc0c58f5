// Sheet layout primitives of the workbook builder: caption bars, label look-ups with their
// fallbacks, the configuration section of the run's export kind and the "Attributes" bar.
#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/BuilderLabels.h"
#include "config/Handled.h"
#include "config/LabelPaths.h"
#include "config/LabelTables.h"
#include "config/RunState.h"
#include "model/RunCodes.h"
#include "workbook/BldSheetLayout.h"
#include "workbook/BldSupport.h"
#include "workbook/clsBldExcel.h"
#include "workbook/excel/store/Utf8.h"

namespace kvo {

using bld::Advance;

void clsBldExcel::FillCaption(std::int32_t lRowNo, std::int32_t lColFrom, std::int32_t lColTo,
                              std::int32_t lInteriorColor, double dRowHeight,
                              std::int32_t lFontColor, std::int32_t lFontSize, bool bBorders,
                              bool bMerge) {
  Guarded("FillCaption", [&] {
    if (dRowHeight > 0) Sheet().Rows(lRowNo).RowHeight(dRowHeight);
    const excel::Range oBar = Sheet().Range(Cell(lRowNo, lColFrom), Cell(lRowNo, lColTo));
    if (bMerge) oBar.MergeCells(true);
    // Bottom alignment until the driver sets the whole sheet to top at the end.
    oBar.HorizontalAlignment(excel::xlLeft);
    oBar.VerticalAlignment(excel::xlBottom);
    if (lInteriorColor > 0) oBar.Interior().ColorIndex(lInteriorColor);
    if (lFontColor > 0) oBar.Font().ColorIndex(lFontColor);
    if (lFontSize > 0) oBar.Font().Size(lFontSize);
    if (bBorders) {
      oBar.Borders(excel::xlEdgeTop).LineStyle(excel::xlContinuous);
      oBar.Borders(excel::xlEdgeBottom).LineStyle(excel::xlContinuous);
    }
  });
}

std::string clsBldExcel::GetLabelByPath(const std::string& sPath, const std::string& sDefault) {
  const std::string sLabel = IniData().GetLabelUsePath(sPath);
  return sLabel.empty() ? sDefault : sLabel;
}

std::string clsBldExcel::GetLabel(const lbl::Label& tLabel) {
  if (tLabel.sSection == nullptr) return GetLabelByPath(tLabel.sName, tLabel.sDefault);
  SelectLabelNode(tLabel.sSection);
  return GetLabelByNode(tLabel.sName, tLabel.sDefault);
}

std::string clsBldExcel::GetLabelByID(std::int32_t lID, const std::string& sDefault) {
  std::int32_t lNoLength = -1;
  return GetLabelByID(lID, sDefault, lNoLength);
}

std::string clsBldExcel::GetLabelByID(std::int32_t lID, const std::string& sDefault,
                                      std::int32_t& lLen) {
  std::string sLabel;
  // The reader is asked only while the caller's last node selection succeeded.
  if (bCurNodeFound) sLabel = IniData().GetLabelUseCurNodeByID(lID);
  if (sLabel.empty()) sLabel = sDefault;
  if (lLen >= 0) lLen = static_cast<std::int32_t>(excel::Utf8Length(sLabel));
  return sLabel;
}

std::string clsBldExcel::GetLabelByNode(const std::string& sNode, const std::string& sDefault) {
  std::int32_t lNoLength = -1;
  return GetLabelByNode(sNode, sDefault, lNoLength);
}

std::string clsBldExcel::GetLabelByNode(const std::string& sNode, const std::string& sDefault,
                                        std::int32_t& lLen) {
  std::string sLabel;
  if (bCurNodeFound) sLabel = IniData().GetLabelUseCurNode(sNode);
  if (sLabel.empty()) sLabel = sDefault;
  if (lLen >= 0) lLen = static_cast<std::int32_t>(excel::Utf8Length(sLabel));
  return sLabel;
}

std::string clsBldExcel::GetGlobalPath() {
  const RunState& run = Run();
  const bool bStructure = run.iSpaceType == kSpaceStructure;
  std::string sKey;
  for (const lbl::KindKeys& tKind : lbl::kKindKeys) {
    if (tKind.iObjectType == run.iObjectType)
      sKey = bStructure ? tKind.sStructure : tKind.sCollection;
  }
  return std::string(lbl::kGlobalLbl) + "/" + sKey;
}

void clsBldExcel::FillSubCaption(const std::string& sText, std::int32_t& lRow) {
  FillCaption(lRow, 1, bld::kPanelWidth, 0, 0, 0, 0, true, true);
  WriteStyled(lRow, 1, sText, "Bold Italic");
  Advance(lRow);
}

void clsBldExcel::FillAttrCaption(std::int32_t& lRow) {
  FillSubCaption(GetLabel(lbl::kAttributesBar), lRow);
}

clsXMLIniData& clsBldExcel::IniData() {
  const auto& oIni = Run().oIniData;
  if (!oIni) throw RunError(kErrObjectNotSet, "Object variable or With block variable not set");
  return *oIni;
}

excel::Worksheet& clsBldExcel::Sheet() const {
  if (oExlSheet == nullptr) {
    throw RunError(kErrObjectNotSet, "Object variable or With block variable not set");
  }
  return *oExlSheet;
}

excel::Range clsBldExcel::Cell(std::int32_t lRow, std::int32_t lCol) const {
  return Sheet().Cells(lRow, lCol);
}

void clsBldExcel::WriteText(std::int32_t lRow, std::int32_t lCol, const std::string& sText) const {
  Cell(lRow, lCol).Value(sText);
}

void clsBldExcel::WriteLabel(std::int32_t lRow, std::int32_t lCol, const std::string& sText) const {
  WriteStyled(lRow, lCol, sText, "Bold");
}

void clsBldExcel::WriteLabelledRow(std::int32_t lRow, const std::string& sLabel1,
                                   const std::string& sValue1, const std::string& sLabel2,
                                   const std::string& sValue2, const std::string& sLabel3,
                                   const std::string& sValue3) const {
  WriteLabel(lRow, 1, sLabel1);
  WriteText(lRow, 2, sValue1);
  WriteLabel(lRow, 3, sLabel2);
  WriteText(lRow, 4, sValue2);
  WriteLabel(lRow, 5, sLabel3);
  WriteText(lRow, 6, sValue3);
}

void clsBldExcel::FillOwnerHeading(const std::string& sLabel, const std::string& sOwnerID,
                                   std::int32_t& lRow) {
  // Grey 40 % text, the heading merged over columns 1 and 2, the owner beside it.
  constexpr std::int32_t kHeadingColor = 48;
  const std::int32_t r = lRow;
  FillCaption(r, 1, 2, 0, 0, kHeadingColor, 0, false, true);
  Sheet().Rows(r).Font().FontStyle("Bold Italic");
  WriteText(r, 1, sLabel);
  WriteText(r, 3, sOwnerID);
  Cell(r, 3).Font().ColorIndex(kHeadingColor);
  lRow = bld::RowAfter(r, 1);
}

void clsBldExcel::WriteStyled(std::int32_t lRow, std::int32_t lCol, const std::string& sText,
                              const char* sFontStyle) const {
  const excel::Range oCell = Cell(lRow, lCol);
  oCell.Value(sText);
  oCell.Font().FontStyle(sFontStyle);
}

void clsBldExcel::SelectLabelNode(const std::string& sPath) {
  bCurNodeFound = IniData().SetCurNode(sPath);
}

}  // namespace kvo
