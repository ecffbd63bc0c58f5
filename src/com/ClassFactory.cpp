#include "com/ClassFactory.h"

#include <atomic>
#include <new>

#include "com/ExportExcelObject.h"
#include "com/ServerModule.h"
#include "com/XmlIniDataObject.h"
#include "com/kvoexportexcel_automation.h"

namespace kvo::com {

namespace {

// Creates objects of Object; not aggregatable.
template <class Object>
class Factory final : public IClassFactory {
 public:
  HRESULT STDMETHODCALLTYPE QueryInterface(REFIID riid, void** ppObject) override {
    if (ppObject == nullptr) return E_POINTER;
    *ppObject = nullptr;
    if (riid != IID_IUnknown && riid != IID_IClassFactory) return E_NOINTERFACE;
    *ppObject = static_cast<IClassFactory*>(this);
    AddRef();
    return S_OK;
  }
  ULONG STDMETHODCALLTYPE AddRef() override { return ++lRefs_; }
  ULONG STDMETHODCALLTYPE Release() override {
    const ULONG lLeft = --lRefs_;
    if (lLeft == 0) delete this;
    return lLeft;
  }
  HRESULT STDMETHODCALLTYPE CreateInstance(IUnknown* pOuter, REFIID riid,
                                           void** ppObject) override {
    if (ppObject == nullptr) return E_POINTER;
    *ppObject = nullptr;
    if (pOuter != nullptr) return CLASS_E_NOAGGREGATION;
    Object* pObject = new (std::nothrow) Object();
    if (pObject == nullptr) return E_OUTOFMEMORY;
    const HRESULT hr = pObject->QueryInterface(riid, ppObject);
    pObject->Release();
    return hr;
  }
  HRESULT STDMETHODCALLTYPE LockServer(BOOL bLock) override {
    if (bLock) {
      AddServerReference();
    } else {
      ReleaseServerReference();
    }
    return S_OK;
  }

 private:
  std::atomic<ULONG> lRefs_{1};
};

template <class Object>
HRESULT HandOut(REFIID riid, void** ppFactory) {
  auto* pFactory = new (std::nothrow) Factory<Object>();
  if (pFactory == nullptr) return E_OUTOFMEMORY;
  const HRESULT hr = pFactory->QueryInterface(riid, ppFactory);
  pFactory->Release();
  return hr;
}

}  // namespace

HRESULT GetClassFactory(REFCLSID clsid, REFIID riid, void** ppFactory) noexcept {
  if (ppFactory == nullptr) return E_POINTER;
  *ppFactory = nullptr;
  if (clsid == CLSID_iclsExportExcel) return HandOut<ExportExcelObject>(riid, ppFactory);
  if (clsid == CLSID_clsXMLIniData) return HandOut<XmlIniDataObject>(riid, ppFactory);
  return CLASS_E_CLASSNOTAVAILABLE;
}

}  // namespace kvo::com
