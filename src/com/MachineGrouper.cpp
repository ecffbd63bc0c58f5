#include "com/MachineGrouper.h"

#include <kvoexportexcel/RunError.h>

#include <memory>
#include <utility>

#include "com/AutomationError.h"
#include "com/Text.h"

namespace kvo::com {

namespace {

constexpr const wchar_t* kProgId = L"drngrp.IclsGroup";
constexpr std::int32_t kErrNoSuchMethod = 438;

// Owns one SAFEARRAY.
struct ArrayOwner {
  SAFEARRAY* pArray = nullptr;
  ~ArrayOwner() {
    if (pArray != nullptr) SafeArrayDestroy(pArray);
  }
};

// The strings of a one-dimensional array of strings or of Variants (each converted to text);
// nothing for any other array.
std::vector<std::string> StringsOf(SAFEARRAY* pArray) {
  std::vector<std::string> vStrings;
  VARTYPE vt = VT_EMPTY;
  if (pArray == nullptr || SafeArrayGetDim(pArray) != 1 ||
      FAILED(SafeArrayGetVartype(pArray, &vt))) {
    return vStrings;
  }
  LONG lLower = 0;
  LONG lUpper = -1;
  SafeArrayGetLBound(pArray, 1, &lLower);
  SafeArrayGetUBound(pArray, 1, &lUpper);
  for (LONG i = lLower; i <= lUpper; ++i) {
    VARIANT vEntry;
    VariantInit(&vEntry);
    if (vt == VT_BSTR) {
      V_VT(&vEntry) = VT_BSTR;
      SafeArrayGetElement(pArray, &i, &V_BSTR(&vEntry));
    } else if (vt == VT_VARIANT) {
      SafeArrayGetElement(pArray, &i, &vEntry);
      if (FAILED(VariantChangeType(&vEntry, &vEntry, 0, VT_BSTR))) {
        VariantClear(&vEntry);
        throw RunError(kErrTypeMismatch, "Type mismatch in the grouping component's result");
      }
    } else {
      return {};
    }
    vStrings.push_back(Utf8Of(V_BSTR(&vEntry)));
    VariantClear(&vEntry);
  }
  return vStrings;
}

[[noreturn]] void RaiseFromExcepInfo(EXCEPINFO& tInfo) {
  if (tInfo.pfnDeferredFillIn != nullptr) tInfo.pfnDeferredFillIn(&tInfo);
  const std::int32_t lNumber =
      tInfo.scode != 0 ? ErrorNumberOfResult(tInfo.scode) : static_cast<std::int32_t>(tInfo.wCode);
  std::string sDescription = Utf8Of(tInfo.bstrDescription);
  SysFreeString(tInfo.bstrDescription);
  SysFreeString(tInfo.bstrSource);
  SysFreeString(tInfo.bstrHelpFile);
  if (sDescription.empty()) sDescription = "The grouping component failed";
  throw RunError(lNumber, sDescription);
}

std::unique_ptr<IRefDesGrouper> CreateMachineGrouper(const CLSID& clsid) {
  IDispatch* pComponent = nullptr;
  const HRESULT hr = CoCreateInstance(clsid, nullptr, CLSCTX_INPROC_SERVER | CLSCTX_LOCAL_SERVER,
                                      IID_IDispatch, reinterpret_cast<void**>(&pComponent));
  if (FAILED(hr)) {
    throw RunError(kErrCannotCreateObject, "Cannot create the grouping component drngrp.IclsGroup");
  }
  return std::make_unique<MachineGrouper>(pComponent);
}

}  // namespace

MachineGrouper::~MachineGrouper() {
  pComponent_->Release();
}

std::vector<std::string> MachineGrouper::Group(std::vector<std::string>& vDesignators) {
  LPOLESTR sName = const_cast<LPOLESTR>(L"Group");
  DISPID idGroup = DISPID_UNKNOWN;
  if (FAILED(pComponent_->GetIDsOfNames(IID_NULL, &sName, 1, LOCALE_USER_DEFAULT, &idGroup))) {
    throw RunError(kErrNoSuchMethod, "The grouping component has no Group operation");
  }
  ArrayOwner oList;
  oList.pArray = SafeArrayCreateVector(VT_BSTR, 0, static_cast<ULONG>(vDesignators.size()));
  if (oList.pArray == nullptr) throw std::bad_alloc();
  for (LONG i = 0; i < static_cast<LONG>(vDesignators.size()); ++i) {
    Bstr sDesignator(NewBstr(vDesignators[static_cast<std::size_t>(i)]));
    if (FAILED(SafeArrayPutElement(oList.pArray, &i, sDesignator.Get()))) throw std::bad_alloc();
  }
  VARIANT vArg;
  VariantInit(&vArg);
  V_VT(&vArg) = VT_BYREF | VT_ARRAY | VT_BSTR;
  V_ARRAYREF(&vArg) = &oList.pArray;
  DISPPARAMS tParams = {&vArg, nullptr, 1, 0};
  VARIANT vResult;
  VariantInit(&vResult);
  EXCEPINFO tInfo = {};
  UINT uArgErr = 0;
  const HRESULT hr = pComponent_->Invoke(idGroup, IID_NULL, LOCALE_USER_DEFAULT, DISPATCH_METHOD,
                                         &tParams, &vResult, &tInfo, &uArgErr);
  if (hr == DISP_E_EXCEPTION) RaiseFromExcepInfo(tInfo);
  if (FAILED(hr)) throw RunError(ErrorNumberOfResult(hr), "The grouping component's Group failed");
  std::vector<std::string> vGroups;
  try {
    vDesignators = StringsOf(oList.pArray);
    SAFEARRAY* pResult = nullptr;
    if ((V_VT(&vResult) & VT_ARRAY) != 0) {
      pResult = (V_VT(&vResult) & VT_BYREF) != 0 ? *V_ARRAYREF(&vResult) : V_ARRAY(&vResult);
    }
    vGroups = StringsOf(pResult);
  } catch (...) {
    VariantClear(&vResult);
    throw;
  }
  VariantClear(&vResult);
  return vGroups;
}

MachineGrouperScope::MachineGrouperScope() noexcept {
  CLSID clsid;
  if (FAILED(CLSIDFromProgID(kProgId, &clsid))) return;
  try {
    fnPrevious_ = SetRefDesGrouperFactory([clsid] { return CreateMachineGrouper(clsid); });
    bInstalled_ = true;
  } catch (...) {
    // Without memory for the factory the built-in grouper stays.
  }
}

MachineGrouperScope::~MachineGrouperScope() {
  if (bInstalled_) SetRefDesGrouperFactory(std::move(fnPrevious_));
}

}  // namespace kvo::com
