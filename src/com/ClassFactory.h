// The class factory of each creatable class.
#pragma once

#include <unknwn.h>
#include <windows.h>

namespace kvo::com {

// The factory of the class clsid (iclsExportExcel or clsXMLIniData) as riid, as
// DllGetClassObject hands it out: CLASS_E_CLASSNOTAVAILABLE for any other class, E_NOINTERFACE,
// E_OUTOFMEMORY. Never throws.
HRESULT GetClassFactory(REFCLSID clsid, REFIID riid, void** ppFactory) noexcept;

}  // namespace kvo::com
