// Public entry point: one call exports one source document into one workbook.
#pragma once

#include <kvoexportexcel/Api.h>

#include <string>

namespace kvo {

class KVO_API iclsExportExcel {
 public:
  // Exports the source XML document sXFullPath with the configuration sXIniFullPath and the
  // setup XML text sSetupXString into a workbook next to the source, with the extension
  // sExtension (".xls" when empty).  True only when the workbook was built and saved; every
  // problem is written to the log "ExportExcel.log" in the export directory.  Never throws.
  bool ParseMain(std::string sXFullPath, std::string sXIniFullPath, std::string sSetupXString,
                 std::string sExtension);
};

}  // namespace kvo
