#include "com/RegistrationEntries.h"

#include <new>

namespace kvo::com {

namespace {

// Marshals interfaces described by a type library.
constexpr const wchar_t* kTypeLibraryMarshaler = L"{00020424-0000-0000-C000-000000000046}";

#ifdef _WIN64
constexpr const wchar_t* kSysKind = L"win64";
#else
constexpr const wchar_t* kSysKind = L"win32";
#endif

std::wstring Take(BSTR sText) {
  std::wstring s = sText != nullptr ? std::wstring(sText, SysStringLen(sText)) : std::wstring();
  SysFreeString(sText);
  return s;
}

}  // namespace

std::wstring GuidText(REFGUID guid) {
  wchar_t sText[40] = {};
  if (StringFromGUID2(guid, sText, 40) == 0) throw std::bad_alloc();
  return sText;
}

RegistrationEntries DescribeRegistration(ITypeLib* pLibrary, const std::wstring& sModulePath,
                                         HRESULT& hr) {
  RegistrationEntries tEntries;
  TLIBATTR* pLibAttr = nullptr;
  hr = pLibrary->GetLibAttr(&pLibAttr);
  if (FAILED(hr)) return tEntries;
  const std::wstring sLibId = GuidText(pLibAttr->guid);
  const std::wstring sVersion =
      std::to_wstring(pLibAttr->wMajorVerNum) + L"." + std::to_wstring(pLibAttr->wMinorVerNum);
  const std::wstring sMajor = std::to_wstring(pLibAttr->wMajorVerNum);
  pLibrary->ReleaseTLibAttr(pLibAttr);
  BSTR sLibName = nullptr;
  BSTR sLibHelp = nullptr;
  hr = pLibrary->GetDocumentation(-1, &sLibName, &sLibHelp, nullptr, nullptr);
  if (FAILED(hr)) return tEntries;
  const std::wstring sLibrary = Take(sLibName);
  const std::wstring sLibraryHelp = Take(sLibHelp);
  auto& v = tEntries.vValues;

  const std::wstring sTypeLibKey = L"TypeLib\\" + sLibId;
  v.push_back({sTypeLibKey + L"\\" + sVersion, L"", sLibraryHelp});
  v.push_back({sTypeLibKey + L"\\" + sVersion + L"\\FLAGS", L"", L"0"});
  v.push_back({sTypeLibKey + L"\\" + sVersion + L"\\0\\" + kSysKind, L"", sModulePath});
  tEntries.vOwnKeys.push_back(sTypeLibKey + L"\\" + sVersion + L"\\0\\" + kSysKind);
  tEntries.vSharedKeys.push_back(sTypeLibKey);

  const UINT nTypes = pLibrary->GetTypeInfoCount();
  for (UINT i = 0; i < nTypes; ++i) {
    TYPEKIND eKind = TKIND_MAX;
    ITypeInfo* pInfo = nullptr;
    if (FAILED(pLibrary->GetTypeInfoType(i, &eKind)) || FAILED(pLibrary->GetTypeInfo(i, &pInfo))) {
      continue;
    }
    TYPEATTR* pAttr = nullptr;
    if (FAILED(pInfo->GetTypeAttr(&pAttr))) {
      pInfo->Release();
      continue;
    }
    const GUID guid = pAttr->guid;
    const bool bDual = (pAttr->wTypeFlags & TYPEFLAG_FDUAL) != 0;
    pInfo->ReleaseTypeAttr(pAttr);
    pInfo->Release();
    BSTR sTypeName = nullptr;
    pLibrary->GetDocumentation(static_cast<INT>(i), &sTypeName, nullptr, nullptr, nullptr);
    const std::wstring sName = Take(sTypeName);
    const std::wstring sGuid = GuidText(guid);
    if (eKind == TKIND_COCLASS) {
      const std::wstring sProgId = sLibrary + L"." + sName;
      const std::wstring sVersioned = sProgId + L"." + sMajor;
      const std::wstring sClassKey = L"CLSID\\" + sGuid;
      v.push_back({sClassKey, L"", sProgId});
      v.push_back({sClassKey + L"\\InprocServer32", L"", sModulePath});
      v.push_back({sClassKey + L"\\InprocServer32", L"ThreadingModel", L"Apartment"});
      v.push_back({sClassKey + L"\\ProgID", L"", sVersioned});
      v.push_back({sClassKey + L"\\VersionIndependentProgID", L"", sProgId});
      v.push_back({sClassKey + L"\\TypeLib", L"", sLibId});
      v.push_back({sClassKey + L"\\Version", L"", sVersion});
      v.push_back({sProgId, L"", sProgId});
      v.push_back({sProgId + L"\\CLSID", L"", sGuid});
      v.push_back({sProgId + L"\\CurVer", L"", sVersioned});
      v.push_back({sVersioned, L"", sProgId});
      v.push_back({sVersioned + L"\\CLSID", L"", sGuid});
      tEntries.vOwnKeys.push_back(sClassKey);
      tEntries.vServerKeys.push_back(sClassKey + L"\\InprocServer32");
      tEntries.vSharedKeys.push_back(sProgId);
      tEntries.vSharedKeys.push_back(sVersioned);
    } else if (eKind == TKIND_DISPATCH && bDual) {
      const std::wstring sInterfaceKey = L"Interface\\" + sGuid;
      v.push_back({sInterfaceKey, L"", sName});
      v.push_back({sInterfaceKey + L"\\ProxyStubClsid32", L"", kTypeLibraryMarshaler});
      v.push_back({sInterfaceKey + L"\\TypeLib", L"", sLibId});
      v.push_back({sInterfaceKey + L"\\TypeLib", L"Version", sVersion});
      tEntries.vSharedKeys.push_back(sInterfaceKey);
    }
  }
  hr = S_OK;
  return tEntries;
}

}  // namespace kvo::com
