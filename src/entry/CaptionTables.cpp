// The caption table, setup values, field names and attribute-label tables of a run.
#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/ExportSet.h"
#include "config/Handled.h"
#include "config/LabelTables.h"
#include "config/Log.h"
#include "config/RunState.h"
#include "entry/clsExportExcel.h"
#include "model/RunCodes.h"

namespace kvo {

namespace {

// A listed attribute element must name its source field.
std::string RequiredField(const xml::Node& node) {
  std::optional<std::string> sField = node.Attribute("FIELD");
  if (!sField) throw RunError(94, "Invalid use of Null: <" + node.NodeName() + "> has no FIELD");
  return *sField;
}

// Sets the current node of the configuration reader; false when the section is missing.
bool Section(const std::string& sPath) {
  return Run().oIniData->SetCurNode(sPath);
}

std::string FieldOf(std::int32_t lOrder) {
  return Run().oIniData->GetFieldNameUseCurNodeByID(lOrder);
}

// The run reads what every export needs first (bCommon), then what the exports of its kind
// iKind need.
bool InPass(ExportSet iNeededBy, bool bCommon, ExportSet iKind) {
  if (bCommon) return iNeededBy == kEveryExport;
  return iNeededBy != kEveryExport && (iNeededBy & iKind) != 0;
}

// Reads the field names of one pass's sections; false at the first section that is missing.
bool ReadFieldSections(bool bCommon, ExportSet iKind) {
  RunState& run = Run();
  for (const lbl::FieldSection& tSection : lbl::kFieldSections) {
    if (!InPass(tSection.iNeededBy, bCommon, iKind)) continue;
    if (!Section(tSection.sPath)) return false;
    for (const lbl::FieldOrder& tField : tSection.tFields) {
      if (tField.lOrder == 0) continue;
      run.*tField.pField = FieldOf(tField.lOrder);
      if (tField.pCopy != nullptr) run.*tField.pCopy = run.*tField.pField;
    }
  }
  return true;
}

}  // namespace

bool clsExportExcel::FillExcellCap(const std::string& sSetupXString) {
  return Handled(kClassName, "FillExcellCap", false, [&] {
    RunState& run = Run();
    clsXMLIniData oSetup;
    std::string sErr;
    if (!oSetup.LoadXString(sSetupXString, sErr)) return false;

    std::int32_t n = -1;
    OrderTable arrOrder;
    std::optional<xml::NodeList> list =
        run.oIniData->GetOrderedAttrList(lbl::kExlCaptionLbl, n, arrOrder);
    if (n < 0) return false;
    run.vExlCaption.Redim(2, n);
    for (std::int32_t k = 0; k <= n; ++k) {
      xml::Node node = list->Item(arrOrder(0, k));
      run.vExlCaption.At(0, k) = node.Text();
      run.vExlCaption.At(1, k) = oSetup.GetLabelUsePath(node.NodeName());
    }
    // Four caption fields: the last one is the moment of the export.
    if (n == 3) run.vExlCaption.At(1, 3) = NowText();

    run.sSpaceType = oSetup.GetLabelUsePath(lbl::kSpaceTypeKey);
    run.sObjectType = oSetup.GetLabelUsePath(lbl::kObjectTypeKey);
    if (run.sSpaceType.empty() || run.sObjectType.empty()) return false;
    const lbl::KindKeys* pKind = nullptr;
    for (const lbl::KindKeys& tKind : lbl::kKindKeys) {
      if (run.sObjectType == run.*tKind.pObjectName) {
        pKind = &tKind;
        break;
      }
    }
    if (pKind == nullptr) return false;
    run.iObjectType = pKind->iObjectType;
    if (run.sSpaceType == lbl::kStructureSpace) {
      run.iSpaceType = kSpaceStructure;
      return true;
    }
    if (run.sSpaceType == lbl::kCollectionSpace) {
      run.iSpaceType = kSpaceCollection;
      return true;
    }
    return false;
  });
}

bool clsExportExcel::FillAttrLabels() {
  return Handled(kClassName, "FillAttrLabels", false, [&] {
    RunState& run = Run();
    const ExportSet iKind = KindExports(run.iObjectType);
    for (const bool bCommon : {true, false}) {
      if (!ReadFieldSections(bCommon, iKind)) return false;
      for (const lbl::AttrLabelTable& tTable : lbl::kAttrLabelTables) {
        if (!InPass(tTable.iNeededBy, bCommon, iKind)) continue;
        if (!FillAttrLabelArray(run.*tTable.pTable, tTable.sType)) return false;
      }
    }
    for (const lbl::KindKeys& tKind : lbl::kKindKeys) {
      if (tKind.iObjectType == run.iObjectType) GetAdditionalTags(tKind.sKey);
    }
    return true;
  });
}

bool clsExportExcel::FillAttrLabelArray(VariantTable& vTable, const std::string& sType) {
  return Handled(kClassName, "FillAttrLabelArray", false, [&] {
    RunState& run = Run();
    // An unknown type word has no path, which the reader refuses.
    std::string sPath;
    for (const lbl::AttrLabelTable& tTable : lbl::kAttrLabelTables) {
      if (sType == tTable.sType) sPath = tTable.sPath;
    }
    std::int32_t n = -1;
    OrderTable arrOrder;
    std::optional<xml::NodeList> list = run.oIniData->GetOrderedAttrList(sPath, n, arrOrder);
    if (n < 0) return false;
    vTable.Redim(2, n);
    for (std::int32_t k = 0; k <= n; ++k) {
      xml::Node node = list->Item(arrOrder(0, k));
      vTable.At(0, k) = node.Text();
      vTable.At(1, k) = RequiredField(node);
    }
    return true;
  });
}

void clsExportExcel::GetAdditionalTags(const std::string& sType) {
  Handled(kClassName, "GetAdditionalTags", [&] {
    RunState& run = Run();
    std::int32_t n = -1;
    OrderTable arrOrder;
    std::optional<xml::NodeList> list =
        run.oIniData->GetOrderedAttrList(std::string(lbl::kMainAddLbl) + "/" + sType, n, arrOrder);
    if (n < 0) return;
    run.vAddTags.Redim(3, n);
    for (std::int32_t k = 0; k <= n; ++k) {
      xml::Node node = list->Item(arrOrder(0, k));
      run.vAddTags.At(0, k) = RequiredField(node);
      run.vAddTags.At(1, k) = node.Text();
      run.vAddTags.At(2, k) = node.GetAttribute("OWNER");
    }
  });
}

}  // namespace kvo
