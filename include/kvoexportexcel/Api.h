/* Marks what the shared library exports: exactly the declarations of these public headers.
   Everything else in the library is hidden. */
#ifndef KVOEXPORTEXCEL_API_H
#define KVOEXPORTEXCEL_API_H

#if defined(__GNUC__) || defined(__clang__)
#define KVO_API __attribute__((visibility("default")))
#else
#define KVO_API
#endif

#endif
