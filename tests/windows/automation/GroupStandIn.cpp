// A stand-in for the machine's reference-designator grouping component: an in-process class
// registered as "drngrp.IclsGroup" whose Group takes the designators (an array of strings, by
// reference) and returns the two strings "standin" and the designators joined by "+" in the
// order given, so that a workbook shows which grouper ran.
#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>
#include <olectl.h>

#include <atomic>
#include <string>

namespace {

// {6B3C21E4-5F0D-4C8E-9A71-2D4E8B0F9C13}
const CLSID kClsid = {0x6b3c21e4, 0x5f0d, 0x4c8e, {0x9a, 0x71, 0x2d, 0x4e, 0x8b, 0x0f, 0x9c, 0x13}};
constexpr const wchar_t* kProgIdKey = L"Software\\Classes\\drngrp.IclsGroup";
constexpr const wchar_t* kClassKey =
    L"Software\\Classes\\CLSID\\{6B3C21E4-5F0D-4C8E-9A71-2D4E8B0F9C13}";
constexpr DISPID kGroupId = 1;

std::atomic<long> lObjects{0};
HMODULE hThisModule = nullptr;

// The designators of a one-dimensional array of strings, joined by "+".
HRESULT Joined(SAFEARRAY* pArray, std::wstring& sJoined) {
  VARTYPE vt = VT_EMPTY;
  if (pArray == nullptr || SafeArrayGetDim(pArray) != 1 ||
      FAILED(SafeArrayGetVartype(pArray, &vt)) || vt != VT_BSTR) {
    return DISP_E_TYPEMISMATCH;
  }
  LONG lLower = 0;
  LONG lUpper = -1;
  SafeArrayGetLBound(pArray, 1, &lLower);
  SafeArrayGetUBound(pArray, 1, &lUpper);
  for (LONG i = lLower; i <= lUpper; ++i) {
    BSTR s = nullptr;
    if (FAILED(SafeArrayGetElement(pArray, &i, &s))) return E_FAIL;
    if (i > lLower) sJoined += L"+";
    sJoined.append(s != nullptr ? s : L"", SysStringLen(s));
    SysFreeString(s);
  }
  return S_OK;
}

class Grouper final : public IDispatch {
 public:
  Grouper() { ++lObjects; }
  ~Grouper() { --lObjects; }

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppObject) override {
    if (ppObject == nullptr) return E_POINTER;
    *ppObject = riid == IID_IUnknown || riid == IID_IDispatch ? this : nullptr;
    if (*ppObject == nullptr) return E_NOINTERFACE;
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++lRefs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG lLeft = --lRefs_;
    if (lLeft == 0) delete this;
    return lLeft;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pn) override {
    *pn = 0;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT, LCID, ITypeInfo**) override { return E_NOTIMPL; }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID, LPOLESTR* pNames, UINT nNames, LCID,
                                          DISPID* pIds) override {
    if (nNames != 1 || lstrcmpiW(pNames[0], L"Group") != 0) {
      for (UINT i = 0; i < nNames; ++i) pIds[i] = DISPID_UNKNOWN;
      return DISP_E_UNKNOWNNAME;
    }
    pIds[0] = kGroupId;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID, LCID, WORD, DISPPARAMS* pParams,
                                   VARIANT* pResult, EXCEPINFO*, UINT*) override {
    if (id != kGroupId) return DISP_E_MEMBERNOTFOUND;
    if (pParams == nullptr || pParams->cArgs != 1) return DISP_E_BADPARAMCOUNT;
    const VARIANT& vArg = pParams->rgvarg[0];
    if (V_VT(&vArg) != (VT_BYREF | VT_ARRAY | VT_BSTR)) return DISP_E_TYPEMISMATCH;
    std::wstring sJoined;
    const HRESULT hr = Joined(*V_ARRAYREF(&vArg), sJoined);
    if (FAILED(hr)) return hr;
    if (pResult == nullptr) return S_OK;
    SAFEARRAY* pGroups = SafeArrayCreateVector(VT_BSTR, 0, 2);
    if (pGroups == nullptr) return E_OUTOFMEMORY;
    const wchar_t* aTexts[2] = {L"standin", sJoined.c_str()};
    for (LONG i = 0; i < 2; ++i) {
      BSTR s = SysAllocString(aTexts[i]);
      SafeArrayPutElement(pGroups, &i, s);
      SysFreeString(s);
    }
    VariantInit(pResult);
    V_VT(pResult) = VT_ARRAY | VT_BSTR;
    V_ARRAY(pResult) = pGroups;
    return S_OK;
  }

 private:
  std::atomic<ULONG> lRefs_{1};
};

class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppObject) override {
    if (ppObject == nullptr) return E_POINTER;
    *ppObject = riid == IID_IUnknown || riid == IID_IClassFactory ? this : nullptr;
    return *ppObject != nullptr ? S_OK : E_NOINTERFACE;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return 2; }
  ULONG STDMETHODCALLTYPE Release() override { return 1; }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid,
                                           void** ppObject) override {
    if (pOuter != nullptr) return CLASS_E_NOAGGREGATION;
    Grouper* pGrouper = new Grouper();
    const HRESULT hr = pGrouper->QueryInterface(riid, ppObject);
    pGrouper->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL) override { return S_OK; }
};

Factory oFactory;

bool SetValue(const wchar_t* sKey, const wchar_t* sName, const std::wstring& sValue) {
  HKEY hKey = nullptr;
  if (RegCreateKeyExW(HKEY_LOCAL_MACHINE, sKey, 0, nullptr, 0, KEY_SET_VALUE, nullptr, &hKey,
                      nullptr) != ERROR_SUCCESS) {
    return false;
  }
  const LSTATUS lStatus =
      RegSetValueExW(hKey, sName, 0, REG_SZ, reinterpret_cast<const BYTE*>(sValue.c_str()),
                     static_cast<DWORD>((sValue.size() + 1) * sizeof(wchar_t)));
  RegCloseKey(hKey);
  return lStatus == ERROR_SUCCESS;
}

}  // namespace

extern "C" {

BOOL WINAPI DllMain(HINSTANCE hInstance, DWORD dwReason, LPVOID) {
  if (dwReason == DLL_PROCESS_ATTACH) hThisModule = hInstance;
  return TRUE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppObject) {
  if (clsid != kClsid) return CLASS_E_CLASSNOTAVAILABLE;
  return oFactory.QueryInterface(riid, ppObject);
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return lObjects == 0 ? S_OK : S_FALSE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
  wchar_t sPath[MAX_PATH] = {};
  if (GetModuleFileNameW(hThisModule, sPath, MAX_PATH) == 0) return SELFREG_E_CLASS;
  const std::wstring sClsid = L"{6B3C21E4-5F0D-4C8E-9A71-2D4E8B0F9C13}";
  const std::wstring sServer = std::wstring(kClassKey) + L"\\InprocServer32";
  const bool bDone = SetValue(kProgIdKey, nullptr, L"drngrp.IclsGroup") &&
                     SetValue((std::wstring(kProgIdKey) + L"\\CLSID").c_str(), nullptr, sClsid) &&
                     SetValue(kClassKey, nullptr, L"drngrp.IclsGroup") &&
                     SetValue(sServer.c_str(), nullptr, sPath) &&
                     SetValue(sServer.c_str(), L"ThreadingModel", L"Apartment");
  return bDone ? S_OK : SELFREG_E_CLASS;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kProgIdKey);
  RegDeleteTreeW(HKEY_LOCAL_MACHINE, kClassKey);
  return S_OK;
}

}  // extern "C"
