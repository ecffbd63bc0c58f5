#include <kvoexportexcel/iclsExportExcel.h>

#include "entry/clsExportExcel.h"

namespace kvo {

bool iclsExportExcel::ParseMain(std::string sXFullPath, std::string sXIniFullPath,
                                std::string sSetupXString, std::string sExtension) {
  try {
    clsExportExcel oRun;
    return oRun.ParseXML2Excel(sXFullPath, sXIniFullPath, sSetupXString, sExtension);
  } catch (...) {
    return false;
  }
}

}  // namespace kvo
