// The C interface: the same one-call export for hosts in other languages.
#include <kvoexportexcel/iclsExportExcel.h>
#include <kvoexportexcel/kvo_export_excel.h>

namespace {
std::string TextOf(const char* p) {
  return p != nullptr ? std::string(p) : std::string();
}
}  // namespace

extern "C" int16_t kvo_ParseMain(const char* sXFullPath, const char* sXIniFullPath,
                                 const char* sSetupXString, const char* sExtension) {
  try {
    kvo::iclsExportExcel oExport;
    return oExport.ParseMain(TextOf(sXFullPath), TextOf(sXIniFullPath), TextOf(sSetupXString),
                             TextOf(sExtension))
               ? -1
               : 0;
  } catch (...) {
    return 0;
  }
}
