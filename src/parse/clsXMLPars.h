// The source parser: loads the exported XML document and walks it into the export data model.
#pragma once

#include <kvoexportexcel/XmlDom.h>

#include <memory>
#include <string>

namespace kvo {

class clsXMLPars {
 public:
  // Loads the source file into a new document (set even when loading fails); true without
  // parse error.  A parse error is logged as a dated line.
  bool LoadCurrentXML(std::shared_ptr<xml::Document>& doc, const std::string& sPath);
  // Fills the main array of the run's object kind from the loaded document and sets lMainUBound.
  void MainXStruct(const std::shared_ptr<xml::Document>& doc);
};

}  // namespace kvo
