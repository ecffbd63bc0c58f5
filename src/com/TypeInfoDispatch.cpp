#include "com/TypeInfoDispatch.h"

#include <cstring>
#include <memory>
#include <new>
#include <vector>

namespace kvo::com {

namespace {

// A parameter's value type and whether the parameter is a reference to it. An interface pointer
// is a value; a pointer to one is a reference.
struct ParamType {
  VARTYPE vt = VT_EMPTY;
  bool bByRef = false;
};

// What a user-defined type stands for: VT_DISPATCH for dispatchable interfaces, VT_UNKNOWN for
// other interfaces, VT_I4 for enumerations, the aliased type for an alias.
VARTYPE UserDefinedType(ITypeInfo* pInfo, HREFTYPE hRef) {
  ITypeInfo* pRef = nullptr;
  if (FAILED(pInfo->GetRefTypeInfo(hRef, &pRef))) return VT_EMPTY;
  TYPEATTR* pAttr = nullptr;
  VARTYPE vt = VT_EMPTY;
  if (SUCCEEDED(pRef->GetTypeAttr(&pAttr))) {
    switch (pAttr->typekind) {
      case TKIND_DISPATCH:
        vt = VT_DISPATCH;
        break;
      case TKIND_INTERFACE:
        vt = (pAttr->wTypeFlags & TYPEFLAG_FDISPATCHABLE) != 0 ? VT_DISPATCH : VT_UNKNOWN;
        break;
      case TKIND_ENUM:
        vt = VT_I4;
        break;
      case TKIND_ALIAS:
        vt = pAttr->tdescAlias.vt == VT_USERDEFINED
                 ? UserDefinedType(pRef, pAttr->tdescAlias.hreftype)
                 : pAttr->tdescAlias.vt;
        break;
      default:
        break;
    }
    pRef->ReleaseTypeAttr(pAttr);
  }
  pRef->Release();
  return vt;
}

VARTYPE ValueType(ITypeInfo* pInfo, const TYPEDESC& tDesc) {
  if (tDesc.vt == VT_USERDEFINED) return UserDefinedType(pInfo, tDesc.hreftype);
  if (tDesc.vt == VT_SAFEARRAY) return VT_ARRAY | tDesc.lptdesc->vt;
  return tDesc.vt;
}

ParamType TypeOf(ITypeInfo* pInfo, const TYPEDESC& tDesc) {
  if (tDesc.vt != VT_PTR) return {ValueType(pInfo, tDesc), false};
  const TYPEDESC& tTarget = *tDesc.lptdesc;
  if (tTarget.vt == VT_USERDEFINED) {
    const VARTYPE vt = UserDefinedType(pInfo, tTarget.hreftype);
    return {vt, vt != VT_DISPATCH && vt != VT_UNKNOWN};
  }
  if (tTarget.vt == VT_PTR && tTarget.lptdesc->vt == VT_USERDEFINED) {
    return {UserDefinedType(pInfo, tTarget.lptdesc->hreftype), true};
  }
  return {ValueType(pInfo, tTarget), true};
}

// The value types arguments are converted to; anything else is passed as the caller gave it.
bool Convertible(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
    case VT_I2:
    case VT_UI2:
    case VT_I4:
    case VT_UI4:
    case VT_I8:
    case VT_UI8:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
    case VT_BSTR:
    case VT_BOOL:
    case VT_DISPATCH:
    case VT_UNKNOWN:
    case VT_VARIANT:
      return true;
    default:
      return false;
  }
}

// Bytes a by-reference scalar of type vt points to; 0 for the types that own what they hold.
std::size_t ScalarSize(VARTYPE vt) {
  switch (vt) {
    case VT_I1:
    case VT_UI1:
      return 1;
    case VT_I2:
    case VT_UI2:
    case VT_BOOL:
      return 2;
    case VT_I4:
    case VT_UI4:
    case VT_INT:
    case VT_UINT:
    case VT_R4:
    case VT_ERROR:
      return 4;
    case VT_I8:
    case VT_UI8:
    case VT_R8:
    case VT_CY:
    case VT_DATE:
      return 8;
    default:
      return 0;
  }
}

bool IsMissing(const VARIANT* pArg) {
  return pArg == nullptr || (V_VT(pArg) == VT_ERROR && V_ERROR(pArg) == DISP_E_PARAMNOTFOUND);
}

// The caller's own variable behind a chain of Variant references.
VARIANT* CallerVariable(VARIANT* pArg) {
  while (V_VT(pArg) == (VT_BYREF | VT_VARIANT) && V_VARIANTREF(pArg) != nullptr) {
    pArg = V_VARIANTREF(pArg);
  }
  return pArg;
}

// value in vt (VT_VARIANT: a copy of what pSource holds).
HRESULT ConvertInto(VARIANT& value, VARIANT* pSource, VARTYPE vt) {
  if (vt == VT_VARIANT) return VariantCopyInd(&value, pSource);
  return VariantChangeType(&value, pSource, 0, vt);
}

// Writes value into the typed storage a VT_BYREF variant points to, converted to its type, and
// leaves value empty when it gave up what it owned.
HRESULT WriteThroughReference(VARIANT* pRef, VARIANT& value) {
  const VARTYPE vt = V_VT(pRef) & ~VT_BYREF;
  VARIANT converted;
  VariantInit(&converted);
  HRESULT hr = VariantChangeType(&converted, &value, 0, vt);
  if (FAILED(hr)) return hr;
  if (vt == VT_BSTR) {
    SysFreeString(*V_BSTRREF(pRef));
    *V_BSTRREF(pRef) = V_BSTR(&converted);
  } else if (vt == VT_DISPATCH || vt == VT_UNKNOWN) {
    IUnknown** ppTarget = reinterpret_cast<IUnknown**>(V_BYREF(pRef));
    if (*ppTarget != nullptr) (*ppTarget)->Release();
    *ppTarget = V_UNKNOWN(&converted);
  } else if (const std::size_t nSize = ScalarSize(vt); nSize > 0) {
    std::memcpy(V_BYREF(pRef), &V_UI1(&converted), nSize);
  } else {
    VariantClear(&converted);
    return DISP_E_TYPEMISMATCH;
  }
  return S_OK;
}

// Gives the result of a by-reference parameter back to the variable the caller passed.
HRESULT WriteBack(VARIANT* pArg, VARIANT& value) {
  VARIANT* pTarget = CallerVariable(pArg);
  if ((V_VT(pTarget) & VT_BYREF) != 0) return WriteThroughReference(pTarget, value);
  VariantClear(pTarget);
  *pTarget = value;
  VariantInit(&value);
  return S_OK;
}

// One parameter of the call: what is passed, the value it refers to, and where that value goes
// back to.
struct Slot {
  VARIANT passed;
  VARIANT value;
  VARIANT* pWriteBack = nullptr;
  Slot() {
    VariantInit(&passed);
    VariantInit(&value);
  }
  ~Slot() { VariantClear(&value); }
};

// The function that id and wFlags name; the caller releases it. Null when there is none.
FUNCDESC* FindFunction(ITypeInfo* pInfo, DISPID id, WORD wFlags) {
  TYPEATTR* pAttr = nullptr;
  if (FAILED(pInfo->GetTypeAttr(&pAttr))) return nullptr;
  const WORD nFuncs = pAttr->cFuncs;
  pInfo->ReleaseTypeAttr(pAttr);
  for (UINT i = 0; i < nFuncs; ++i) {
    FUNCDESC* pFunc = nullptr;
    if (FAILED(pInfo->GetFuncDesc(i, &pFunc))) continue;
    if (pFunc->memid == id && (pFunc->invkind & wFlags) != 0) return pFunc;
    pInfo->ReleaseFuncDesc(pFunc);
  }
  return nullptr;
}

// Prepares slot for parameter p from the argument pArg (null when not given).
HRESULT Prepare(ITypeInfo* pInfo, const ELEMDESC& tParam, VARIANT* pArg, Slot& slot) {
  const ParamType tType = TypeOf(pInfo, tParam.tdesc);
  const USHORT wFlags = tParam.paramdesc.wParamFlags;
  const bool bMissing = IsMissing(pArg);
  if (bMissing && (wFlags & (PARAMFLAG_FOPT | PARAMFLAG_FHASDEFAULT)) == 0) {
    return DISP_E_PARAMNOTOPTIONAL;
  }
  if (!Convertible(tType.vt)) {
    // Passed as given: the type information's own Invoke checks it.
    if (bMissing) {
      V_VT(&slot.passed) = VT_ERROR;
      V_ERROR(&slot.passed) = DISP_E_PARAMNOTFOUND;
    } else {
      slot.passed = *pArg;
    }
    return S_OK;
  }
  HRESULT hr = S_OK;
  if (bMissing) {
    if ((wFlags & PARAMFLAG_FHASDEFAULT) != 0 && tParam.paramdesc.pparamdescex != nullptr) {
      hr = ConvertInto(slot.value, &tParam.paramdesc.pparamdescex->varDefaultValue, tType.vt);
    } else if (tType.vt == VT_VARIANT && !tType.bByRef) {
      V_VT(&slot.value) = VT_ERROR;
      V_ERROR(&slot.value) = DISP_E_PARAMNOTFOUND;
    } else if (tType.vt != VT_VARIANT) {
      V_VT(&slot.value) = tType.vt;  // empty of its type: a null BSTR or pointer, zero
    }
  } else if (tType.bByRef && (wFlags & (PARAMFLAG_FIN | PARAMFLAG_FOUT)) == PARAMFLAG_FOUT) {
    if (tType.vt != VT_VARIANT) V_VT(&slot.value) = tType.vt;
  } else {
    hr = ConvertInto(slot.value, pArg, tType.vt);
  }
  if (FAILED(hr)) return DISP_E_TYPEMISMATCH;
  if (!tType.bByRef) {
    slot.passed = slot.value;
    return S_OK;
  }
  if (tType.vt == VT_VARIANT) {
    V_VT(&slot.passed) = VT_BYREF | VT_VARIANT;
    V_VARIANTREF(&slot.passed) = &slot.value;
  } else {
    V_VT(&slot.passed) = VT_BYREF | tType.vt;
    V_BYREF(&slot.passed) = &V_UI1(&slot.value);
  }
  if (!bMissing && (V_VT(pArg) & VT_BYREF) != 0) slot.pWriteBack = pArg;
  return S_OK;
}

HRESULT Invoke(ITypeInfo* pInfo, const FUNCDESC& tFunc, void* pInterface, WORD wFlags,
               DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcepInfo, UINT* puArgErr) {
  UINT nParams = static_cast<UINT>(tFunc.cParams);
  if (nParams > 0 &&
      (tFunc.lprgelemdescParam[nParams - 1].paramdesc.wParamFlags & PARAMFLAG_FRETVAL) != 0) {
    --nParams;
  }
  const UINT nArgs = pParams != nullptr ? pParams->cArgs : 0;
  const UINT nNamed = pParams != nullptr ? pParams->cNamedArgs : 0;
  if (nArgs < nNamed || nArgs - nNamed > nParams) return DISP_E_BADPARAMCOUNT;

  // Where each parameter's argument stands in rgvarg: positional ones from the end, named ones
  // by their parameter index.
  std::vector<int> vArgIndex(nParams, -1);
  for (UINT k = 0; k < nArgs - nNamed; ++k) vArgIndex[k] = static_cast<int>(nArgs - 1 - k);
  for (UINT i = 0; i < nNamed; ++i) {
    const DISPID idParam = pParams->rgdispidNamedArgs[i];
    if (idParam < 0 || static_cast<UINT>(idParam) >= nParams) {
      if (puArgErr != nullptr) *puArgErr = i;
      return DISP_E_PARAMNOTFOUND;
    }
    vArgIndex[static_cast<UINT>(idParam)] = static_cast<int>(i);
  }

  std::unique_ptr<Slot[]> pSlots(new Slot[nParams > 0 ? nParams : 1]);
  std::vector<VARIANT> vPassed(nParams > 0 ? nParams : 1);
  for (UINT p = 0; p < nParams; ++p) {
    VARIANT* pArg = vArgIndex[p] >= 0 ? &pParams->rgvarg[vArgIndex[p]] : nullptr;
    const HRESULT hr = Prepare(pInfo, tFunc.lprgelemdescParam[p], pArg, pSlots[p]);
    if (FAILED(hr)) {
      if (puArgErr != nullptr) *puArgErr = vArgIndex[p] >= 0 ? vArgIndex[p] : 0;
      return hr;
    }
    vPassed[nParams - 1 - p] = pSlots[p].passed;
  }

  DISPPARAMS tCall = {vPassed.data(), nullptr, nParams, 0};
  UINT uArgErr = 0;
  const HRESULT hr =
      pInfo->Invoke(pInterface, tFunc.memid, wFlags, &tCall, pResult, pExcepInfo, &uArgErr);
  if (hr == DISP_E_TYPEMISMATCH || hr == DISP_E_PARAMNOTFOUND) {
    if (puArgErr != nullptr && uArgErr < nParams) {
      const int iArg = vArgIndex[nParams - 1 - uArgErr];
      *puArgErr = iArg >= 0 ? static_cast<UINT>(iArg) : 0;
    }
    return hr;
  }
  if (SUCCEEDED(hr) || hr == DISP_E_EXCEPTION) {
    for (UINT p = 0; p < nParams; ++p) {
      if (pSlots[p].pWriteBack != nullptr) WriteBack(pSlots[p].pWriteBack, pSlots[p].value);
    }
  }
  return hr;
}

}  // namespace

HRESULT InvokeThroughTypeInfo(ITypeInfo* pInfo, void* pInterface, DISPID id, WORD wFlags,
                              DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcepInfo,
                              UINT* puArgErr) noexcept {
  if (pInfo == nullptr || pInterface == nullptr) return E_UNEXPECTED;
  // Property writes have no by-reference parameters: the type information alone handles them.
  if ((wFlags & (DISPATCH_PROPERTYPUT | DISPATCH_PROPERTYPUTREF)) != 0) {
    return pInfo->Invoke(pInterface, id, wFlags, pParams, pResult, pExcepInfo, puArgErr);
  }
  FUNCDESC* pFunc = FindFunction(pInfo, id, wFlags);
  if (pFunc == nullptr) return DISP_E_MEMBERNOTFOUND;
  HRESULT hr = E_OUTOFMEMORY;
  try {
    hr = Invoke(pInfo, *pFunc, pInterface, wFlags, pParams, pResult, pExcepInfo, puArgErr);
  } catch (const std::bad_alloc&) {
    hr = E_OUTOFMEMORY;
  }
  pInfo->ReleaseFuncDesc(pFunc);
  return hr;
}

}  // namespace kvo::com
