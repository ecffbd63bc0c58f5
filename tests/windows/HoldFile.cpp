// Holds a file open the way a spreadsheet program holds the workbook it shows: read and write
// access, shared with nobody, so that deleting it fails with a sharing violation. Creates the
// file READY once the file is held, and lets go when standard input ends.
//
// Usage: kvo_hold_file FILE READY
#include <windows.h>

#include <cstdio>

int wmain(int argc, wchar_t** argv) {
  if (argc != 3) {
    std::fprintf(stderr, "usage: kvo_hold_file FILE READY\n");
    return 2;
  }
  HANDLE held = ::CreateFileW(argv[1], GENERIC_READ | GENERIC_WRITE, 0, nullptr, OPEN_EXISTING,
                              FILE_ATTRIBUTE_NORMAL, nullptr);
  if (held == INVALID_HANDLE_VALUE) {
    std::fprintf(stderr, "kvo_hold_file: cannot open the file (error %lu)\n", ::GetLastError());
    return 1;
  }
  HANDLE ready = ::CreateFileW(argv[2], GENERIC_WRITE, 0, nullptr, CREATE_ALWAYS,
                               FILE_ATTRIBUTE_NORMAL, nullptr);
  if (ready == INVALID_HANDLE_VALUE) return 1;
  ::CloseHandle(ready);
  char buffer[64];
  DWORD got = 0;
  while (::ReadFile(::GetStdHandle(STD_INPUT_HANDLE), buffer, sizeof buffer, &got, nullptr) &&
         got > 0) {
  }
  ::CloseHandle(held);
  return 0;
}
