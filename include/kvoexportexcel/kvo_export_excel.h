/* C interface of kVoExportExcel for hosts in other languages.  Strings are UTF-8. */
#ifndef KVOEXPORTEXCEL_KVO_EXPORT_EXCEL_H
#define KVOEXPORTEXCEL_KVO_EXPORT_EXCEL_H

#include <stdint.h>

#include <kvoexportexcel/Api.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Runs one export (see iclsExportExcel::ParseMain).  A null pointer counts as an empty string.
   Returns -1 (true) when the workbook was built and saved, 0 (false) otherwise; never lets an
   exception or error escape. */
KVO_API int16_t kvo_ParseMain(const char* sXFullPath, const char* sXIniFullPath, const char* sSetupXString,
                      const char* sExtension);

#ifdef __cplusplus
}
#endif

#endif
