// The type library embedded in this DLL: what dispatch, registration and typed clients read.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

namespace kvo::com {

// The type library, loaded from this DLL's resource once per process; the caller releases it.
// Returns the loader's failure HRESULT (TYPE_E_CANTLOADLIBRARY, ...) when it cannot be loaded.
HRESULT LoadOwnTypeLibrary(ITypeLib** ppLibrary) noexcept;

// The description of the interface riid as its vtable declares it (for a dual interface the
// interface, not its dispatch view): parameters with their by-reference types and the [retval].
// The caller releases it. Fails with the loader's HRESULT or TYPE_E_ELEMENTNOTFOUND.
HRESULT InterfaceTypeInfo(REFIID riid, ITypeInfo** ppInfo) noexcept;

// The description of riid as IDispatch::GetTypeInfo hands it out (for a dual interface its
// dispatch view). The caller releases it. Fails as InterfaceTypeInfo does.
HRESULT DispatchTypeInfo(REFIID riid, ITypeInfo** ppInfo) noexcept;

}  // namespace kvo::com
