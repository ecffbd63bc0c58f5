#include "com/TypeLibrary.h"

#include <mutex>
#include <string>

#include "com/ServerModule.h"

namespace kvo::com {

namespace {

std::mutex g_mLoad;
ITypeLib* g_pLibrary = nullptr;  // kept for the life of the process

}  // namespace

HRESULT LoadOwnTypeLibrary(ITypeLib** ppLibrary) noexcept {
  if (ppLibrary == nullptr) return E_POINTER;
  *ppLibrary = nullptr;
  std::lock_guard<std::mutex> oLock(g_mLoad);
  if (g_pLibrary == nullptr) {
    std::wstring sPath;
    try {
      sPath = ThisModulePath();
    } catch (...) {
      return E_OUTOFMEMORY;
    }
    if (sPath.empty()) return HRESULT_FROM_WIN32(GetLastError());
    const HRESULT hr = LoadTypeLibEx(sPath.c_str(), REGKIND_NONE, &g_pLibrary);
    if (FAILED(hr)) return hr;
  }
  g_pLibrary->AddRef();
  *ppLibrary = g_pLibrary;
  return S_OK;
}

HRESULT DispatchTypeInfo(REFIID riid, ITypeInfo** ppInfo) noexcept {
  if (ppInfo == nullptr) return E_POINTER;
  *ppInfo = nullptr;
  ITypeLib* pLibrary = nullptr;
  const HRESULT hr = LoadOwnTypeLibrary(&pLibrary);
  if (FAILED(hr)) return hr;
  const HRESULT hrFound = pLibrary->GetTypeInfoOfGuid(riid, ppInfo);
  pLibrary->Release();
  return hrFound;
}

HRESULT InterfaceTypeInfo(REFIID riid, ITypeInfo** ppInfo) noexcept {
  if (ppInfo == nullptr) return E_POINTER;
  *ppInfo = nullptr;
  ITypeInfo* pInfo = nullptr;
  HRESULT hr = DispatchTypeInfo(riid, &pInfo);
  if (FAILED(hr)) return hr;
  // A dual interface is found as its dispatch view; its vtable half is the implemented type -1.
  TYPEATTR* pAttr = nullptr;
  hr = pInfo->GetTypeAttr(&pAttr);
  if (FAILED(hr)) {
    pInfo->Release();
    return hr;
  }
  const bool bDispatchView = pAttr->typekind == TKIND_DISPATCH;
  pInfo->ReleaseTypeAttr(pAttr);
  if (!bDispatchView) {
    *ppInfo = pInfo;
    return S_OK;
  }
  HREFTYPE hRef = 0;
  hr = pInfo->GetRefTypeOfImplType(-1, &hRef);
  if (SUCCEEDED(hr)) hr = pInfo->GetRefTypeInfo(hRef, ppInfo);
  pInfo->Release();
  return hr;
}

}  // namespace kvo::com
