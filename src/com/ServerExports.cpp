// The entry points through which COM loads, registers and unloads the server.
#include <objbase.h>
#include <windows.h>

#include "com/ClassFactory.h"
#include "com/Registration.h"
#include "com/ServerModule.h"

extern "C" {

__declspec(dllexport) HRESULT STDAPICALLTYPE
    DllGetClassObject(REFCLSID clsid, REFIID riid, void** ppFactory) {
  return kvo::com::GetClassFactory(clsid, riid, ppFactory);
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllCanUnloadNow() {
  return kvo::com::ServerIsIdle() ? S_OK : S_FALSE;
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllRegisterServer() {
  return kvo::com::RegisterServer();
}

__declspec(dllexport) HRESULT STDAPICALLTYPE DllUnregisterServer() {
  return kvo::com::UnregisterServer();
}

}  // extern "C"
