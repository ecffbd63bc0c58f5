/* C interface of kVoExportExcel for hosts in other languages.  Strings are UTF-8.  On 32-bit
   Windows every entry point and the sink are __stdcall (KVO_CALL), exported under their plain
   names. */
#ifndef KVOEXPORTEXCEL_KVO_EXPORT_EXCEL_H
#define KVOEXPORTEXCEL_KVO_EXPORT_EXCEL_H

#include <stddef.h>
#include <stdint.h>

#include <kvoexportexcel/Api.h>

#ifdef __cplusplus
extern "C" {
#endif

/* Runs one export (see iclsExportExcel::ParseMain).  A null pointer counts as an empty string.
   Returns -1 (true) when the workbook was built and saved, 0 (false) otherwise; never lets an
   exception or error escape. */
KVO_API int16_t KVO_CALL kvo_ParseMain(const char* sXFullPath, const char* sXIniFullPath,
                                       const char* sSetupXString, const char* sExtension);

/* Told each line a run writes to the log: UTF-8, without the line end, valid only during the
   call; context is the pointer given to kvo_ParseMainEx. */
typedef void(KVO_CALL* kvo_log_sink)(const char* line, void* context);

/* Runs one export exactly as kvo_ParseMain does and returns the same -1 or 0.  on_line (may be
   NULL) is called on the calling thread with every line the run logs, also when the log file
   cannot be written.  out_path (may be NULL) receives the NUL-terminated full path of the
   workbook when the result is -1, and an empty string when the result is 0 or the path with
   its NUL does not fit in out_path_size bytes.  Never lets an exception or error escape. */
KVO_API int16_t KVO_CALL kvo_ParseMainEx(const char* sXFullPath, const char* sXIniFullPath,
                                         const char* sSetupXString, const char* sExtension,
                                         kvo_log_sink on_line, void* context, char* out_path,
                                         size_t out_path_size);

/* The library's version and what it is built with, e.g. "0.1.0 (deflate: ISA-L 2.30.0; XML:
   pugixml 1.13)": the version, then each component with its library and that library's
   version.  Never fails: always a valid NUL-terminated static string, the same on every call,
   never to be freed. */
KVO_API const char* KVO_CALL kvo_Version(void);

#ifdef __cplusplus
}
#endif

#endif
