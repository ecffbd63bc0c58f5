/* Marks what the shared library exports: exactly the declarations of these public headers.
   Everything else in the library is hidden. */
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

#endif
