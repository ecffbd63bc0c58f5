// IDispatch::Invoke of our objects, driven by their type information alone.
//
// Scripts pass a variable as a reference to a Variant (VT_BYREF | VT_VARIANT), VBA passes typed
// references or values, and compiled clients pass exactly the declared types. ITypeInfo::Invoke
// refuses a Variant reference for a parameter declared [in, out] BSTR* or [out] VARIANT*, so each
// argument is first brought to the type its parameter declares: by-reference parameters get a
// value of their own type (converted from what the caller gave, empty for [out] or a left-out
// optional), and after the call that value is written back into the caller's variable. Named
// arguments and left-out optional ones are put in their places, with the declared defaults.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

namespace kvo::com {

// Calls the member id of pInterface (an interface pointer whose vtable pInfo describes) as
// IDispatch::Invoke does, with the same results: the member's HRESULTs, DISP_E_EXCEPTION with
// pExcepInfo filled from the thread's error information when the member failed,
// DISP_E_MEMBERNOTFOUND, DISP_E_BADPARAMCOUNT, DISP_E_PARAMNOTOPTIONAL, DISP_E_PARAMNOTFOUND for
// an unknown named argument, DISP_E_TYPEMISMATCH with *puArgErr the argument's index in
// pParams. A caller's variable is written only when the call went through. Never throws.
HRESULT InvokeThroughTypeInfo(ITypeInfo* pInfo, void* pInterface, DISPID id, WORD wFlags,
                              DISPPARAMS* pParams, VARIANT* pResult, EXCEPINFO* pExcepInfo,
                              UINT* puArgErr) noexcept;

}  // namespace kvo::com
