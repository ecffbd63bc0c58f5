#include <kvoexportexcel/iclsExportExcel.h>

#include <utility>

#include "config/LogSinkScope.h"
#include "config/RunState.h"
#include "entry/clsExportExcel.h"

namespace kvo {

bool iclsExportExcel::ParseMain(std::string sXFullPath, std::string sXIniFullPath,
                                std::string sSetupXString, std::string sExtension) {
  sOutputPath_.clear();
  sLogPath_.clear();
  try {
    LogSinkScope oSink(fnSink_);
    clsExportExcel oRun;
    const bool bDone = oRun.ParseXML2Excel(sXFullPath, sXIniFullPath, sSetupXString, sExtension);
    sLogPath_ = Run().sLogPath;
    if (bDone) sOutputPath_ = Run().sOutputPath;
    return bDone;
  } catch (...) {
    return false;
  }
}

void iclsExportExcel::SetLogLineSink(LogLineSink fnSink) {
  fnSink_ = std::move(fnSink);
}

}  // namespace kvo
