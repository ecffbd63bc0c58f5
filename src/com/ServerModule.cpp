#include "com/ServerModule.h"

#include <atomic>

namespace kvo::com {

namespace {

std::atomic<long> g_lReferences{0};

}  // namespace

HMODULE ThisModule() noexcept {
  HMODULE hModule = nullptr;
  GetModuleHandleExW(
      GET_MODULE_HANDLE_EX_FLAG_FROM_ADDRESS | GET_MODULE_HANDLE_EX_FLAG_UNCHANGED_REFCOUNT,
      reinterpret_cast<LPCWSTR>(&ThisModule), &hModule);
  return hModule;
}

std::wstring ThisModulePath() {
  std::wstring sPath(MAX_PATH, L'\0');
  for (;;) {
    const DWORD nLength =
        GetModuleFileNameW(ThisModule(), sPath.data(), static_cast<DWORD>(sPath.size()));
    if (nLength == 0) return {};
    if (nLength < sPath.size()) {
      sPath.resize(nLength);
      return sPath;
    }
    sPath.resize(sPath.size() * 2);
  }
}

void AddServerReference() noexcept {
  ++g_lReferences;
}

void ReleaseServerReference() noexcept {
  --g_lReferences;
}

bool ServerIsIdle() noexcept {
  return g_lReferences.load() == 0;
}

}  // namespace kvo::com
