// Placeholder until the parser lands: loads nothing, finds no objects.
#include "parse/clsXMLPars.h"

namespace kvo {

bool clsXMLPars::LoadCurrentXML(std::shared_ptr<xml::Document>& doc, const std::string& sPath) {
  doc = std::make_shared<xml::Document>();
  return doc->Load(sPath);
}

void clsXMLPars::MainXStruct(const std::shared_ptr<xml::Document>&) {}

}  // namespace kvo
