#include "com/Registration.h"

#include <olectl.h>

#include <string>

#include "com/RegistrationEntries.h"
#include "com/ServerModule.h"
#include "com/TypeLibrary.h"

namespace kvo::com {

namespace {

constexpr const wchar_t* kClasses = L"Software\\Classes";

#ifdef _WIN64
constexpr REGSAM kOwnView = KEY_WOW64_64KEY;
constexpr REGSAM kOtherView = KEY_WOW64_32KEY;
#else
constexpr REGSAM kOwnView = KEY_WOW64_32KEY;
constexpr REGSAM kOtherView = KEY_WOW64_64KEY;
#endif

bool WriteValue(const RegistryValue& tValue) {
  HKEY hKey = nullptr;
  const std::wstring sKey = std::wstring(kClasses) + L"\\" + tValue.sKey;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, sKey.c_str(), 0, nullptr, 0, KEY_SET_VALUE | kOwnView,
                      nullptr, &hKey, nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const auto nBytes = static_cast<DWORD>((tValue.sValue.size() + 1) * sizeof(wchar_t));
  const LSTATUS lStatus =
      RegSetValueExW(hKey, tValue.sName.empty() ? nullptr : tValue.sName.c_str(), 0, REG_SZ,
                     reinterpret_cast<const BYTE*>(tValue.sValue.c_str()), nBytes);
  RegCloseKey(hKey);
  return lStatus == ERROR_SUCCESS;
}

// Removes the key with everything below it in the view; true when it is gone (or never was).
bool RemoveKey(const std::wstring& sKey, REGSAM view) {
  const std::size_t nSlash = sKey.find_last_of(L'\\');
  const std::wstring sParent =
      std::wstring(kClasses) +
      (nSlash == std::wstring::npos ? L"" : L"\\" + sKey.substr(0, nSlash));
  const std::wstring sLeaf = nSlash == std::wstring::npos ? sKey : sKey.substr(nSlash + 1);
  HKEY hParent = nullptr;
  LSTATUS lStatus =
      RegOpenKeyExW(HKEY_LOCAL_MACHINE, sParent.c_str(), 0, KEY_ALL_ACCESS | view, &hParent);
  if (lStatus == ERROR_FILE_NOT_FOUND) return true;
  if (lStatus != ERROR_SUCCESS) return false;
  lStatus = RegDeleteTreeW(hParent, sLeaf.c_str());
  RegCloseKey(hParent);
  return lStatus == ERROR_SUCCESS || lStatus == ERROR_FILE_NOT_FOUND;
}

bool KeyExists(const std::wstring& sKey, REGSAM view) {
  HKEY hKey = nullptr;
  const std::wstring sFull = std::wstring(kClasses) + L"\\" + sKey;
  if (RegOpenKeyExW(HKEY_LOCAL_MACHINE, sFull.c_str(), 0, KEY_READ | view, &hKey) !=
      ERROR_SUCCESS) {
    return false;
  }
  RegCloseKey(hKey);
  return true;
}

// Our entries, or the SELFREG_E_TYPELIB / E_OUTOFMEMORY that stops a registration.
HRESULT Describe(RegistrationEntries& tEntries) {
  ITypeLib* pLibrary = nullptr;
  if (FAILED(LoadOwnTypeLibrary(&pLibrary))) return SELFREG_E_TYPELIB;
  HRESULT hr = S_OK;
  try {
    const std::wstring sPath = ThisModulePath();
    tEntries = DescribeRegistration(pLibrary, sPath, hr);
    if (sPath.empty()) hr = SELFREG_E_CLASS;
  } catch (...) {
    hr = E_OUTOFMEMORY;
  }
  pLibrary->Release();
  return FAILED(hr) && hr != E_OUTOFMEMORY && hr != SELFREG_E_CLASS ? SELFREG_E_TYPELIB : hr;
}

}  // namespace

HRESULT RegisterServer() noexcept {
  RegistrationEntries tEntries;
  const HRESULT hr = Describe(tEntries);
  if (FAILED(hr)) return hr;
  for (const RegistryValue& tValue : tEntries.vValues) {
    if (!WriteValue(tValue)) return SELFREG_E_CLASS;
  }
  return S_OK;
}

HRESULT UnregisterServer() noexcept {
  RegistrationEntries tEntries;
  const HRESULT hr = Describe(tEntries);
  if (FAILED(hr)) return hr;
  bool bRemoved = true;
  for (const std::wstring& sKey : tEntries.vOwnKeys)
    bRemoved = RemoveKey(sKey, kOwnView) && bRemoved;
  bool bOtherRegistered = false;
  for (const std::wstring& sKey : tEntries.vServerKeys) {
    bOtherRegistered = bOtherRegistered || KeyExists(sKey, kOtherView);
  }
  if (!bOtherRegistered) {
    // Both views: where the system keeps these apart, neither may keep a stale copy.
    for (const std::wstring& sKey : tEntries.vSharedKeys) {
      bRemoved = RemoveKey(sKey, kOwnView) && bRemoved;
      bRemoved = RemoveKey(sKey, kOtherView) && bRemoved;
    }
  }
  return bRemoved ? S_OK : SELFREG_E_CLASS;
}

}  // namespace kvo::com
