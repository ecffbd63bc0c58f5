// The export entry point as the creatable automation class iclsExportExcel.
#pragma once

#include <kvoexportexcel/iclsExportExcel.h>

#include "com/DispatchObject.h"
#include "com/kvoexportexcel_automation.h"

namespace kvo::com {

class ExportExcelObject final : public DispatchObject<_iclsExportExcel> {
 public:
  ExportExcelObject() = default;

  // One export on the calling thread, with the grouping component installed on the machine
  // where there is one. *pbDone is VARIANT_TRUE (-1) only when the workbook was built and saved,
  // VARIANT_FALSE (0) for every failure, which the run has written to its log. Returns S_OK
  // (E_POINTER without pbDone): no error leaves the call.
  HRESULT STDMETHODCALLTYPE ParseMain(BSTR sXFullPath, BSTR sXIniFullPath, BSTR sSetupXString,
                                      BSTR sExtension, VARIANT_BOOL* pbDone) override;

 private:
  ~ExportExcelObject() override = default;

  kvo::iclsExportExcel oExport_;
};

}  // namespace kvo::com
