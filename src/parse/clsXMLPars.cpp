// Loading, root recognition and dispatch, and the two attribute readers every filler uses.
#include "parse/clsXMLPars.h"

#include <kvoexportexcel/RunError.h>

#include "config/Handled.h"
#include "config/Log.h"
#include "config/RunState.h"
#include "config/VariantTable.h"
#include "model/RunCodes.h"

namespace kvo {

namespace {

// The one fixed name of the source document: its document element.
const char* const kRootElementName = "Root_Element";

}  // namespace

bool clsXMLPars::LoadCurrentXML(std::shared_ptr<xml::Document>& doc, const std::string& sPath) {
  return Handled(kClassName, "LoadCurrentXML", false, [&] {
    doc = std::make_shared<xml::Document>();
    if (doc->Load(sPath)) return true;
    const RunState& run = Run();
    const xml::ParseError& tErr = doc->GetParseError();
    const std::string sLine = NowText() + " " + sPath + run.sMsgLoadParseError + tErr.sReason +
                              run.sMsgOnLine + std::to_string(tErr.lLine) + run.sMsgAtPosition +
                              std::to_string(tErr.lLinePos);
    LogError(sLine, "", -1, false);
    return false;
  });
}

xml::Node clsXMLPars::GetRoot(const std::shared_ptr<xml::Document>& doc, const std::string& sName) {
  return Handled(kClassName, "GetRoot", xml::Node(), [&]() -> xml::Node {
    if (!doc) throw RunError(kErrObjectNotSet, "Object variable not set");
    xml::Node nRoot = doc->DocumentElement();
    if (nRoot && nRoot.NodeName() == sName) return nRoot;
    return {};
  });
}

void clsXMLPars::MainXStruct(const std::shared_ptr<xml::Document>& doc) {
  Handled(kClassName, "MainXStruct", [&] {
    const RunState& run = Run();
    const xml::Node nRoot = GetRoot(doc, kRootElementName);
    if (!nRoot) {
      WriteLogLine(run.sMsgErrorXmlStructure + run.sMsgRootNodeNotFound, run.sLogPath);
      return;
    }
    if (!nRoot.HasChildNodes()) return;
    nRoot_ = nRoot;
    vRootAlternates_.reset();
    vRootDesignators_.reset();
    const xml::Node nFirst = nRoot.FirstChild();
    const std::string sName = nFirst.NodeName();
    if (sName == run.sObjItem && run.iObjectType == kObjectItems) {
      FillXItemStruct(nFirst);
    } else if (sName == run.sObjDoc && run.iObjectType == kObjectDocs) {
      FillXDocStruct(nFirst);
    } else if (sName == run.sObjFolder && run.iObjectType == kObjectFolders) {
      FillXFoldStruct(nFirst);
    } else {
      WriteLogLine(run.sMsgErrorXmlStructure + run.sMsgFirstChildNodeNot + run.sObjectType,
                   run.sLogPath);
    }
  });
  nRoot_ = {};
  vRootAlternates_.reset();
  vRootDesignators_.reset();
}

std::string clsXMLPars::GetXAttr(const xml::Node& nElement, const std::string& sName) {
  return nElement.GetAttribute(sName);
}

void clsXMLPars::FillXAttr2(const xml::Node& nElement, AttrList& vAttr,
                            const VariantTable& vLabels) {
  Handled(kClassName, "FillXAttr2", [&] {
    if (!vLabels.HoldsTable()) return;
    const std::int32_t lLast = vLabels.LastEntry();
    vAttr.emplace(static_cast<std::size_t>(lLast) + 1);
    for (std::int32_t i = 0; i <= lLast; ++i) {
      (*vAttr)[static_cast<std::size_t>(i)] = GetXAttr(nElement, vLabels(1, i));
    }
  });
}

}  // namespace kvo
