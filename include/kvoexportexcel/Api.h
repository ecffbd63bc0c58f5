/* Marks what the shared library exports: exactly the declarations of these public headers.
   Everything else in the library is hidden. On Windows the library's own sources (built with
   KVO_EXPORTS) mark them for export from the DLL; hosts link them through its import
   library. */
#ifndef KVOEXPORTEXCEL_API_H
#define KVOEXPORTEXCEL_API_H

#if defined(_WIN32)
/* The DLL's own sources export them; hosts link them through the import library. */
#if defined(KVO_EXPORTS)
#define KVO_API __declspec(dllexport)
#else
#define KVO_API
#endif
#elif defined(__GNUC__) || defined(__clang__)
#define KVO_API __attribute__((visibility("default")))
#else
#define KVO_API
#endif

/* The calling convention of the C entry points and of their log sink: __stdcall on 32-bit
   Windows, which a VBA Declare calls; the system's own elsewhere. */
#if defined(_WIN32) && !defined(_WIN64)
#define KVO_CALL __stdcall
#else
#define KVO_CALL
#endif

#endif
