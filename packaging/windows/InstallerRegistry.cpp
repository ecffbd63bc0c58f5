#include "InstallerRegistry.h"

#include <string>
#include <string_view>

namespace kvo::packaging {

namespace {

// The keys below Software\Classes that 64-bit Windows (and Wine) redirect for 32-bit programs.
constexpr std::wstring_view kPerViewRoots[] = {L"CLSID\\", L"Interface\\"};

bool IsAtOrBelow(std::wstring_view sKey, std::wstring_view sParent) {
  return sKey.starts_with(sParent) &&
         (sKey.size() == sParent.size() || sKey[sParent.size()] == L'\\');
}

bool IsOwn(const com::RegistrationEntries& tEntries, std::wstring_view sKey) {
  for (std::wstring_view sRoot : kPerViewRoots) {
    if (sKey.starts_with(sRoot)) return true;
  }
  for (const std::wstring& sOwnKey : tEntries.vOwnKeys) {
    if (IsAtOrBelow(sKey, sOwnKey)) return true;
  }
  return false;
}

}  // namespace

InstallerRegistry SplitForInstaller(const com::RegistrationEntries& tEntries) {
  InstallerRegistry tRegistry;
  for (const com::RegistryValue& tValue : tEntries.vValues) {
    (IsOwn(tEntries, tValue.sKey) ? tRegistry.vOwn : tRegistry.vShared).push_back(tValue);
  }
  return tRegistry;
}

}  // namespace kvo::packaging
