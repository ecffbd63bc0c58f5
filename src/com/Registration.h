// Machine-wide registration of this DLL's classes and type library (under
// HKEY_LOCAL_MACHINE\Software\Classes), in the registry view of the DLL's own architecture, so that
// a 64-bit and a 32-bit build installed side by side keep their own CLSID keys; the keys both may
// share (ProgIDs, TypeLib, Interface) stay while the other architecture still has our classes
// registered.
#pragma once

#include <windows.h>

namespace kvo::com {

// Writes every entry of RegistrationEntries for this DLL. S_OK; SELFREG_E_TYPELIB when the type
// library cannot be read, SELFREG_E_CLASS when a key cannot be written (no administrator
// rights, say), E_OUTOFMEMORY. Never throws.
HRESULT RegisterServer() noexcept;

// Removes this architecture's keys, and the shared ones when no architecture has a class of ours
// registered any more. S_OK also when nothing was registered; SELFREG_E_TYPELIB, SELFREG_E_CLASS
// when a key that exists cannot be removed, E_OUTOFMEMORY. Never throws.
HRESULT UnregisterServer() noexcept;

}  // namespace kvo::com
