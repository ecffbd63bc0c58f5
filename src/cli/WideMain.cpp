// The entry point on Windows: the arguments as the system gives them, in UTF-16, turned into
// UTF-8 for the command.
#include <windows.h>

#include <string>
#include <vector>

#include "cli/CliMain.h"

namespace {

std::string Utf8(const wchar_t* text) {
  const int size = ::WideCharToMultiByte(CP_UTF8, 0, text, -1, nullptr, 0, nullptr, nullptr);
  if (size <= 1) return {};
  std::string out(static_cast<std::size_t>(size), '\0');
  ::WideCharToMultiByte(CP_UTF8, 0, text, -1, out.data(), size, nullptr, nullptr);
  out.pop_back();  // the terminating NUL
  return out;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  std::vector<std::string> vArgs;
  for (int i = 0; i < argc; ++i) vArgs.push_back(Utf8(argv[i]));
  std::vector<char*> vPointers;
  for (std::string& sArg : vArgs) vPointers.push_back(sArg.data());
  vPointers.push_back(nullptr);
  return kvo::cli::CliMain(argc, vPointers.data());
}
