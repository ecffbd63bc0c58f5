// The automation object every class of ours derives from: reference counting that keeps the
// DLL loaded, IDispatch through the type library (names, ids and calls come from the type
// information of Interface; there is no table of our own), and ISupportErrorInfo.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <atomic>

#include "com/ServerModule.h"
#include "com/TypeInfoDispatch.h"
#include "com/TypeLibrary.h"

namespace kvo::com {

template <class Interface>
class DispatchObject : public Interface, public ISupportErrorInfo {
 public:
  DispatchObject(const DispatchObject&) = delete;
  DispatchObject& operator=(const DispatchObject&) = delete;

  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppObject) override {
    if (ppObject == nullptr) return E_POINTER;
    *ppObject = nullptr;
    if (riid == IID_IUnknown || riid == IID_IDispatch || riid == __uuidof(Interface)) {
      *ppObject = static_cast<Interface*>(this);
    } else if (riid == IID_ISupportErrorInfo) {
      *ppObject = static_cast<ISupportErrorInfo*>(this);
    } else {
      *ppObject = QueryOwn(riid);
    }
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

  HRESULT STDMETHODCALLTYPE GetTypeInfoCount(UINT* pnCount) override {
    if (pnCount == nullptr) return E_POINTER;
    *pnCount = 1;
    return S_OK;
  }
  HRESULT STDMETHODCALLTYPE GetTypeInfo(UINT nIndex, LCID, ITypeInfo** ppInfo) override {
    if (ppInfo == nullptr) return E_POINTER;
    *ppInfo = nullptr;
    if (nIndex != 0) return DISP_E_BADINDEX;
    return DispatchTypeInfo(__uuidof(Interface), ppInfo);
  }
  HRESULT STDMETHODCALLTYPE GetIDsOfNames(REFIID riid, LPOLESTR* pNames, UINT nNames, LCID,
                                          DISPID* pIds) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* pInfo = nullptr;
    const HRESULT hr = InterfaceTypeInfo(__uuidof(Interface), &pInfo);
    if (FAILED(hr)) return hr;
    const HRESULT hrNames = pInfo->GetIDsOfNames(pNames, nNames, pIds);
    pInfo->Release();
    return hrNames;
  }
  HRESULT STDMETHODCALLTYPE Invoke(DISPID id, REFIID riid, LCID, WORD wFlags, DISPPARAMS* pParams,
                                   VARIANT* pResult, EXCEPINFO* pExcepInfo,
                                   UINT* puArgErr) override {
    if (riid != IID_NULL) return DISP_E_UNKNOWNINTERFACE;
    ITypeInfo* pInfo = nullptr;
    const HRESULT hr = InterfaceTypeInfo(__uuidof(Interface), &pInfo);
    if (FAILED(hr)) return hr;
    const HRESULT hrCall = InvokeThroughTypeInfo(pInfo, static_cast<Interface*>(this), id, wFlags,
                                                 pParams, pResult, pExcepInfo, puArgErr);
    pInfo->Release();
    return hrCall;
  }

  HRESULT STDMETHODCALLTYPE InterfaceSupportsErrorInfo(REFIID riid) override {
    return riid == __uuidof(Interface) ? S_OK : S_FALSE;
  }

 protected:
  DispatchObject() = default;
  virtual ~DispatchObject() = default;

  // Further interfaces a class answers QueryInterface for (not AddRef'd here); null for none.
  virtual void* QueryOwn(REFIID) { return nullptr; }

 private:
  std::atomic<ULONG> lRefs_{1};
  ServerReference oServer_;
};

}  // namespace kvo::com
