#include "com/AutomationError.h"

#include <kvoexportexcel/RunError.h>

#include <exception>
#include <new>

#include "com/Text.h"

namespace kvo::com {

namespace {

constexpr std::uint32_t kScriptErrorBase = 0x800A0000u;

}  // namespace

HRESULT ResultOfErrorNumber(std::int32_t lNumber) noexcept {
  if (lNumber == 0) return E_FAIL;
  if (lNumber > 0 && lNumber <= 0xFFFF) {
    return static_cast<HRESULT>(kScriptErrorBase | static_cast<std::uint32_t>(lNumber));
  }
  return static_cast<HRESULT>(lNumber);
}

std::int32_t ErrorNumberOfResult(HRESULT hr) noexcept {
  const auto uResult = static_cast<std::uint32_t>(hr);
  if ((uResult & 0xFFFF0000u) == kScriptErrorBase)
    return static_cast<std::int32_t>(uResult & 0xFFFFu);
  return static_cast<std::int32_t>(hr);
}

HRESULT ReportError(std::int32_t lNumber, const std::string& sDescription,
                    const std::string& sSource, REFIID riid) noexcept {
  const HRESULT hr = ResultOfErrorNumber(lNumber);
  try {
    ICreateErrorInfo* pCreate = nullptr;
    if (FAILED(CreateErrorInfo(&pCreate))) return hr;
    const std::wstring sWideDescription = WideOf(sDescription);
    const std::wstring sWideSource = WideOf(sSource);
    pCreate->SetDescription(const_cast<LPOLESTR>(sWideDescription.c_str()));
    pCreate->SetSource(const_cast<LPOLESTR>(sWideSource.c_str()));
    pCreate->SetGUID(riid);
    IErrorInfo* pInfo = nullptr;
    if (SUCCEEDED(pCreate->QueryInterface(IID_IErrorInfo, reinterpret_cast<void**>(&pInfo)))) {
      SetErrorInfo(0, pInfo);
      pInfo->Release();
    }
    pCreate->Release();
  } catch (...) {
    // Without memory for the texts the number alone reaches the caller.
  }
  return hr;
}

HRESULT ReportCurrentException(const char* sSource, REFIID riid) noexcept {
  try {
    throw;
  } catch (const RunError& e) {
    return ReportError(e.Number(), e.Description(), sSource, riid);
  } catch (const std::bad_alloc&) {
    return ReportError(E_OUTOFMEMORY, "Out of memory", sSource, riid);
  } catch (const std::exception& e) {
    return ReportError(E_UNEXPECTED, e.what(), sSource, riid);
  } catch (...) {
    return ReportError(E_UNEXPECTED, "Unexpected failure", sSource, riid);
  }
}

}  // namespace kvo::com
