// kvo_msi_registry: the registry table of the installer package, from the type library of the
// built server and the registration it derives from it (com/RegistrationEntries.h), so that the
// package and DllRegisterServer write the same values.
//
// Usage: kvo_msi_registry DLL FILE_REFERENCE own|shared
//   e.g. kvo_msi_registry kvoexportexcel.dll "[#kvoexportexcel.dll]" own
// Prints a WiX include of this architecture's own values (the server's path given as
// FILE_REFERENCE) or of the shared ones (the first one their component's key path).
// Exit status: 0; 1 when the DLL's type library cannot be read; 2 on a usage error.
#include <windows.h>

#include <cstdio>
#include <string>

#include "InstallerRegistry.h"
#include "WixRegistryValues.h"
#include "com/Text.h"

namespace {

int Fail(const char* sWhat, HRESULT hr) {
  std::fprintf(stderr, "kvo_msi_registry: %s (HRESULT 0x%08lx)\n", sWhat,
               static_cast<unsigned long>(hr));
  return 1;
}

}  // namespace

int wmain(int argc, wchar_t** argv) {
  const std::wstring sPart = argc == 4 ? argv[3] : L"";
  if (sPart != L"own" && sPart != L"shared") {
    std::fputs("usage: kvo_msi_registry DLL FILE_REFERENCE own|shared\n", stderr);
    return 2;
  }
  ITypeLib* pLibrary = nullptr;
  HRESULT hr = LoadTypeLibEx(argv[1], REGKIND_NONE, &pLibrary);
  if (FAILED(hr)) return Fail("cannot load the type library of the DLL", hr);
  const kvo::com::RegistrationEntries tEntries =
      kvo::com::DescribeRegistration(pLibrary, argv[2], hr);
  pLibrary->Release();
  if (FAILED(hr)) return Fail("cannot read the type library", hr);
  const kvo::packaging::InstallerRegistry tRegistry = kvo::packaging::SplitForInstaller(tEntries);
  const bool bShared = sPart == L"shared";
  const std::string sOut =
      kvo::packaging::WixRegistryValues(bShared ? tRegistry.vShared : tRegistry.vOwn, bShared);
  std::fwrite(sOut.data(), 1, sOut.size(), stdout);
  return std::fflush(stdout) == 0 ? 0 : 1;
}
