// Public entry point: one call exports one source document into one workbook.
#pragma once

#include <kvoexportexcel/Api.h>

#include <functional>
#include <string>

namespace kvo {

class KVO_API iclsExportExcel {
 public:
  // Told each line a run writes to the log, without the line end, on the thread of the run;
  // bWritten is false when the log file could not take the line.
  using LogLineSink = std::function<void(const std::string& sLine, bool bWritten)>;

  // Exports the source XML document sXFullPath with the configuration sXIniFullPath and the
  // setup XML text sSetupXString into a workbook next to the source, with the extension
  // sExtension (".xls" when empty).  True only when the workbook was built and saved; every
  // problem is written to the log "ExportExcel.log" in the export directory.  Never throws.
  bool ParseMain(std::string sXFullPath, std::string sXIniFullPath, std::string sSetupXString,
                 std::string sExtension);

  // Every later ParseMain of this object also hands its log lines to fnSink; an empty sink
  // stops that.  What fnSink raises is ignored.  Raises only what copying fnSink raises.
  void SetLogLineSink(LogLineSink fnSink);

  // Full path of the workbook the last ParseMain wrote; empty when it returned false or before
  // the first.  Never throws.
  const std::string& OutputPath() const noexcept { return sOutputPath_; }
  // The log file the last ParseMain wrote to; empty before the first or when it found none.
  // Never throws.
  const std::string& LogPath() const noexcept { return sLogPath_; }

 private:
  LogLineSink fnSink_;
  std::string sOutputPath_;
  std::string sLogPath_;
};

}  // namespace kvo
