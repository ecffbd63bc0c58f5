// What registering the server writes, derived from the type library alone: for each coclass
// its CLSID key (InprocServer32 with the threading model "Apartment", ProgID, version-
// independent ProgID "<library>.<class>" and versioned ProgID "<library>.<class>.<major>",
// TypeLib, Version), the ProgID keys, the TypeLib key with this architecture's path (no HELPDIR:
// both architectures write the same version key), and an Interface key for each dual interface
// (marshalled by the type library).
//
// Keys of two kinds: the CLSID keys and this architecture's TypeLib path belong to this DLL's
// architecture alone (64-bit Windows keeps CLSID keys apart per view); the ProgID, TypeLib and
// Interface keys may be the same key for both architectures.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <string>
#include <vector>

namespace kvo::com {

struct RegistryValue {
  std::wstring sKey;    // below HKEY_LOCAL_MACHINE\Software\Classes
  std::wstring sName;   // empty: the key's default value
  std::wstring sValue;  // REG_SZ
};

struct RegistrationEntries {
  std::vector<RegistryValue> vValues;
  // Removed whenever this architecture is unregistered.
  std::vector<std::wstring> vOwnKeys;
  // Removed only when no architecture has a class of ours registered any more.
  std::vector<std::wstring> vSharedKeys;
  // The InprocServer32 keys that tell whether an architecture has our classes registered.
  std::vector<std::wstring> vServerKeys;
};

// The entries for the DLL at sModulePath with its type library pLibrary. Raises std::bad_alloc;
// returns the type library's failure HRESULT through hr (and no entries) when it cannot be read.
RegistrationEntries DescribeRegistration(ITypeLib* pLibrary, const std::wstring& sModulePath,
                                         HRESULT& hr);

// "{XXXXXXXX-XXXX-XXXX-XXXX-XXXXXXXXXXXX}". Raises std::bad_alloc.
std::wstring GuidText(REFGUID guid);

}  // namespace kvo::com
