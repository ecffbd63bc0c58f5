// Runs one phase of an export once, for instruction counting under callgrind:
//   kvo_phase generate N FILE   writes a synthetic item structure of N items
//   kvo_phase load FILE         loads the source document
//   kvo_phase parse FILE        loads and walks it into the export data model
//   kvo_phase export FILE       runs the whole export into FILE's folder (.xlsx)
#include <kvoexportexcel/iclsExportExcel.h>
#include <stdlib.h>

#include <cstring>
#include <filesystem>
#include <fstream>
#include <iostream>
#include <string>

#include "SyntheticExport.h"
#include "config/RunState.h"
#include "config/modResources.h"
#include "entry/clsExportExcel.h"
#include "parse/clsXMLPars.h"

namespace {

const std::string kConfig = std::string(KVO_SOURCE_DIR) + "/examples/config.xml";
const std::string kSetup =
    "<s><SPACE_TYPE>STRUCTURE</SPACE_TYPE><OBJECT_TYPE>Item</OBJECT_TYPE></s>";

int Usage() {
  std::cerr << "usage: kvo_phase generate N FILE | load FILE | parse FILE | export FILE\n";
  return 2;
}

}  // namespace

int main(int argc, char** argv) {
  if (argc == 4 && std::strcmp(argv[1], "generate") == 0) {
    std::ofstream(argv[3]) << kvo::bench::ItemStructure(std::atoi(argv[2]));
    return 0;
  }
  if (argc != 3) return Usage();
  const std::string sMode = argv[1];
  const std::string sSource = argv[2];
  if (sMode == "load") {
    kvo::xml::Document doc;
    return doc.Load(sSource) ? 0 : 1;
  }
  if (sMode == "parse") {
    kvo::clsExportExcel oRun;
    oRun.GetIniXML(kConfig);
    kvo::InitResources();
    if (!oRun.FillExcellCap(kSetup) || !oRun.FillAttrLabels()) return 1;
    kvo::clsXMLPars oParser;
    std::shared_ptr<kvo::xml::Document> doc;
    if (!oParser.LoadCurrentXML(doc, sSource)) return 1;
    oRun.ClearMainArray();
    oParser.MainXStruct(doc);
    return kvo::Run().lMainUBound >= 0 ? 0 : 1;
  }
  if (sMode == "export") {
    ::setenv("APPDATA", std::filesystem::path(sSource).parent_path().c_str(), 1);
    return kvo::iclsExportExcel().ParseMain(sSource, kConfig, kSetup, ".xlsx") ? 0 : 1;
  }
  return Usage();
}
