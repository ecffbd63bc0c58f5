#include "com/ExportExcelObject.h"

#include "com/MachineGrouper.h"
#include "com/Text.h"

namespace kvo::com {

HRESULT ExportExcelObject::ParseMain(BSTR sXFullPath, BSTR sXIniFullPath, BSTR sSetupXString,
                                     BSTR sExtension, VARIANT_BOOL* pbDone) {
  if (pbDone == nullptr) return E_POINTER;
  *pbDone = VARIANT_FALSE;
  try {
    const MachineGrouperScope oGrouping;
    const bool bDone = oExport_.ParseMain(Utf8Of(sXFullPath), Utf8Of(sXIniFullPath),
                                          Utf8Of(sSetupXString), Utf8Of(sExtension));
    *pbDone = bDone ? VARIANT_TRUE : VARIANT_FALSE;
  } catch (...) {
    // Only the arguments' conversion can fail here (out of memory); the run never raises.
  }
  return S_OK;
}

}  // namespace kvo::com
