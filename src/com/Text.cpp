#include "com/Text.h"

#include <new>

namespace kvo::com {

std::string Utf8Of(std::wstring_view sText) {
  if (sText.empty()) return {};
  const int nWide = static_cast<int>(sText.size());
  const int nBytes =
      WideCharToMultiByte(CP_UTF8, 0, sText.data(), nWide, nullptr, 0, nullptr, nullptr);
  std::string sOut(static_cast<std::size_t>(nBytes), '\0');
  WideCharToMultiByte(CP_UTF8, 0, sText.data(), nWide, sOut.data(), nBytes, nullptr, nullptr);
  return sOut;
}

std::string Utf8Of(BSTR sText) {
  if (sText == nullptr) return {};
  return Utf8Of(std::wstring_view(sText, SysStringLen(sText)));
}

std::wstring WideOf(std::string_view sText) {
  if (sText.empty()) return {};
  const int nBytes = static_cast<int>(sText.size());
  const int nWide = MultiByteToWideChar(CP_UTF8, 0, sText.data(), nBytes, nullptr, 0);
  std::wstring sOut(static_cast<std::size_t>(nWide), L'\0');
  MultiByteToWideChar(CP_UTF8, 0, sText.data(), nBytes, sOut.data(), nWide);
  return sOut;
}

BSTR NewBstr(std::string_view sText) {
  const std::wstring sWide = WideOf(sText);
  BSTR s = SysAllocStringLen(sWide.data(), static_cast<UINT>(sWide.size()));
  if (s == nullptr) throw std::bad_alloc();
  return s;
}

void AssignBstr(BSTR* psTarget, std::string_view sText) {
  if (psTarget == nullptr) return;
  BSTR sNew = NewBstr(sText);
  SysFreeString(*psTarget);
  *psTarget = sNew;
}

}  // namespace kvo::com
