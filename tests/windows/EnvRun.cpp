// Runs a program with environment variables set, for the tests that run Windows programs under
// Wine: Wine sets APPDATA and its like from the profile, whatever the Unix environment holds.
// The program's exit code is the helper's own; the arguments reach it unchanged.
//
// Usage: kvo_env_run NAME=VALUE... -- PROGRAM [ARG...]
#include <windows.h>

#include <cstdio>
#include <string>

namespace {

// One argument as the C runtime of the program reads it back: quoted, with the backslashes
// before a quote doubled.
std::wstring Quoted(const std::wstring& arg) {
  if (!arg.empty() && arg.find_first_of(L" \t\n\v\"") == std::wstring::npos) return arg;
  std::wstring out = L"\"";
  std::size_t backslashes = 0;
  for (const wchar_t c : arg) {
    if (c == L'\\') {
      ++backslashes;
      continue;
    }
    out.append(c == L'"' ? backslashes * 2 + 1 : backslashes, L'\\');
    backslashes = 0;
    out.push_back(c);
  }
  out.append(backslashes * 2, L'\\');
  return out + L"\"";
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  int i = 1;
  for (; i < argc && std::wstring(argv[i]) != L"--"; ++i) {
    const std::wstring pair = argv[i];
    const std::size_t equals = pair.find(L'=');
    if (equals == std::wstring::npos) {
      std::fprintf(stderr, "usage: kvo_env_run NAME=VALUE... -- PROGRAM [ARG...]\n");
      return 125;
    }
    ::SetEnvironmentVariableW(pair.substr(0, equals).c_str(), pair.substr(equals + 1).c_str());
  }
  if (++i >= argc) {
    std::fprintf(stderr, "usage: kvo_env_run NAME=VALUE... -- PROGRAM [ARG...]\n");
    return 125;
  }
  std::wstring command;
  for (int j = i; j < argc; ++j) command += (j > i ? L" " : L"") + Quoted(argv[j]);
  STARTUPINFOW startup{};
  startup.cb = sizeof startup;
  PROCESS_INFORMATION process{};
  if (!::CreateProcessW(argv[i], command.data(), nullptr, nullptr, TRUE, 0, nullptr, nullptr,
                        &startup, &process)) {
    std::fprintf(stderr, "kvo_env_run: cannot start the program (error %lu)\n", ::GetLastError());
    return 125;
  }
  ::WaitForSingleObject(process.hProcess, INFINITE);
  DWORD code = 125;
  ::GetExitCodeProcess(process.hProcess, &code);
  ::CloseHandle(process.hProcess);
  ::CloseHandle(process.hThread);
  return static_cast<int>(code);
}
