// The caption table, setup values, field names and attribute-label tables of a run.
#include <kvoexportexcel/RunError.h>
#include <kvoexportexcel/clsXMLIniData.h>

#include "config/Handled.h"
#include "config/LabelPaths.h"
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

// Reads the three heading fields (ORDER 1 to 3) of a caption section.
bool HeadingFields(const std::string& sPath, std::string& s1, std::string& s2, std::string& s3) {
  if (!Section(sPath)) return false;
  s1 = FieldOf(1);
  s2 = FieldOf(2);
  s3 = FieldOf(3);
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

    run.sSpaceType = oSetup.GetLabelUsePath("SPACE_TYPE");
    run.sObjectType = oSetup.GetLabelUsePath("OBJECT_TYPE");
    if (run.sSpaceType.empty() || run.sObjectType.empty()) return false;
    if (run.sObjectType == run.sObjItem) {
      run.iObjectType = kObjectItems;
    } else if (run.sObjectType == run.sObjDoc) {
      run.iObjectType = kObjectDocs;
    } else if (run.sObjectType == run.sObjFolder) {
      run.iObjectType = kObjectFolders;
    } else {
      return false;
    }
    if (run.sSpaceType == "STRUCTURE") {
      run.iSpaceType = kSpaceStructure;
      return true;
    }
    if (run.sSpaceType == "COLLECTION") {
      run.iSpaceType = kSpaceCollection;
      return true;
    }
    return false;
  });
}

bool clsExportExcel::FillAttrLabels() {
  return Handled(kClassName, "FillAttrLabels", false, [&] {
    RunState& run = Run();
    if (!HeadingFields(lbl::kItemCapLbl, run.sItemCapFld1, run.sItemCapFld2, run.sItemCapFld3)) {
      return false;
    }
    if (!HeadingFields(lbl::kDocCapLbl, run.sDocCapFld1, run.sDocCapFld2, run.sDocCapFld3)) {
      return false;
    }
    run.sDrawingCapFld1 = run.sDocCapFld1;
    run.sDrawingCapFld2 = run.sDocCapFld2;
    run.sDrawingCapFld3 = run.sDocCapFld3;
    if (!HeadingFields(lbl::kFolderCapLbl, run.sFolderCapFld1, run.sFolderCapFld2,
                       run.sFolderCapFld3)) {
      return false;
    }
    if (!FillAttrLabelArray(run.vItemAttrLbl, "ITEM") ||
        !FillAttrLabelArray(run.vDocAttrLbl, "DOC") ||
        !FillAttrLabelArray(run.vFileAttrLbl, "DATASET") ||
        !FillAttrLabelArray(run.vFolderAttrLbl, "FOLDER")) {
      return false;
    }
    switch (run.iObjectType) {
      case kObjectItems:
        if (!Section(lbl::kMainItemLbl)) return false;
        run.sItemMainFld5 = FieldOf(5);
        run.sItemMainFld3 = FieldOf(3);
        if (!Section(lbl::kAlternateListLbl)) return false;
        run.sAltListFld1 = FieldOf(1);
        if (!HeadingFields(lbl::kMnfCapLbl, run.sMnfCapFld1, run.sMnfCapFld2, run.sMnfCapFld3) ||
            !HeadingFields(lbl::kVndCapLbl, run.sVndCapFld1, run.sVndCapFld2, run.sVndCapFld3)) {
          return false;
        }
        if (!FillAttrLabelArray(run.vMnfAttrLbl, "MNF") ||
            !FillAttrLabelArray(run.vVndAttrLbl, "VENDORS")) {
          return false;
        }
        GetAdditionalTags("ITEM");
        break;
      case kObjectDocs:
        if (!Section(lbl::kMainDocLbl)) return false;
        run.sDocMainFld5 = FieldOf(5);
        run.sDocMainFld6 = FieldOf(6);
        GetAdditionalTags("DOC");
        break;
      case kObjectFolders:
        if (!Section(lbl::kMainFolderLbl)) return false;
        run.sFolderMainFld5 = FieldOf(5);
        GetAdditionalTags("FOLDER");
        break;
      default:
        break;
    }
    return true;
  });
}

bool clsExportExcel::FillAttrLabelArray(VariantTable& vTable, const std::string& sType) {
  return Handled(kClassName, "FillAttrLabelArray", false, [&] {
    RunState& run = Run();
    std::string sPath;
    if (sType == "ITEM") {
      sPath = lbl::kItemAttrListLbl;
    } else if (sType == "DOC") {
      sPath = lbl::kDocAttrListLbl;
    } else if (sType == "DATASET") {
      sPath = lbl::kFileAttrListLbl;
    } else if (sType == "FOLDER") {
      sPath = lbl::kFolderAttrListLbl;
    } else if (sType == "MNF") {
      sPath = lbl::kMnfAttrListLbl;
    } else if (sType == "VENDORS") {
      sPath = lbl::kVndAttrListLbl;
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
