// The C interface: the same one-call export for hosts in other languages.
#include <kvoexportexcel/iclsExportExcel.h>
#include <kvoexportexcel/kvo_export_excel.h>

#include <cstring>

#include "workbook/BuildInfo.h"

#ifdef _WIN32
#include "com/ComThreadScope.h"
#include "com/MachineGrouper.h"
#endif

namespace {

std::string TextOf(const char* p) {
  return p != nullptr ? std::string(p) : std::string();
}

// Empties the buffer; nothing without one.
void ClearPath(char* pOut, std::size_t nSize) noexcept {
  if (pOut != nullptr && nSize > 0) pOut[0] = '\0';
}

// The path with its NUL when it fits; the buffer stays as it is otherwise.
void CopyPath(const std::string& sPath, char* pOut, std::size_t nSize) noexcept {
  if (pOut != nullptr && sPath.size() < nSize) std::memcpy(pOut, sPath.c_str(), sPath.size() + 1);
}

// One export as the automation class runs it: on Windows with the grouping component installed on
// the machine, for which COM is initialised on the calling thread for the call where it is not.
bool Export(kvo::iclsExportExcel& oExport, const char* sXFullPath, const char* sXIniFullPath,
            const char* sSetupXString, const char* sExtension) {
#ifdef _WIN32
  const kvo::com::ComThreadScope oCom;
  const kvo::com::MachineGrouperScope oGrouping;
#endif
  return oExport.ParseMain(TextOf(sXFullPath), TextOf(sXIniFullPath), TextOf(sSetupXString),
                           TextOf(sExtension));
}

}  // namespace

extern "C" int16_t KVO_CALL kvo_ParseMain(const char* sXFullPath, const char* sXIniFullPath,
                                          const char* sSetupXString, const char* sExtension) {
  try {
    kvo::iclsExportExcel oExport;
    return Export(oExport, sXFullPath, sXIniFullPath, sSetupXString, sExtension) ? -1 : 0;
  } catch (...) {
    return 0;
  }
}

extern "C" int16_t KVO_CALL kvo_ParseMainEx(const char* sXFullPath, const char* sXIniFullPath,
                                            const char* sSetupXString, const char* sExtension,
                                            kvo_log_sink on_line, void* context, char* out_path,
                                            size_t out_path_size) {
  ClearPath(out_path, out_path_size);
  try {
    kvo::iclsExportExcel oExport;
    if (on_line != nullptr) {
      oExport.SetLogLineSink(
          [on_line, context](const std::string& sLine, bool) { on_line(sLine.c_str(), context); });
    }
    const bool bDone = Export(oExport, sXFullPath, sXIniFullPath, sSetupXString, sExtension);
    if (bDone) CopyPath(oExport.OutputPath(), out_path, out_path_size);
    return bDone ? -1 : 0;
  } catch (...) {
    return 0;
  }
}

extern "C" const char* KVO_CALL kvo_Version(void) {
  return kvo::BuildInfo();
}
