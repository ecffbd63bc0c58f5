// Errors at the automation boundary: what the component raises becomes an automation error
// (an HRESULT with the thread's error information, which dispatch turns into EXCEPINFO), and no
// C++ exception leaves a call.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <cstdint>
#include <string>

namespace kvo::com {

// The HRESULT a component error number travels as: 1 to 65535 as 0x800A0000 + number (scripts
// and VBA show that number as Err.Number), any other number unchanged (it already is an
// HRESULT, as -2147220504 is), 0 as E_FAIL.
HRESULT ResultOfErrorNumber(std::int32_t lNumber) noexcept;

// The error number an automation error stands for: the inverse of ResultOfErrorNumber.
std::int32_t ErrorNumberOfResult(HRESULT hr) noexcept;

// Sets the thread's error information (description, source, interface) and returns
// ResultOfErrorNumber(lNumber). Never throws; without memory for the text it returns the
// HRESULT alone.
HRESULT ReportError(std::int32_t lNumber, const std::string& sDescription,
                    const std::string& sSource, REFIID riid) noexcept;

// To be called inside a catch block: reports the exception in flight through ReportError — a
// RunError with its number and description, std::bad_alloc as E_OUTOFMEMORY, anything else as
// E_UNEXPECTED with what it says — and returns the HRESULT.
HRESULT ReportCurrentException(const char* sSource, REFIID riid) noexcept;

// Runs fn (which returns an HRESULT) and reports whatever it raises as an automation error of
// sSource ("kVoExportExcel:class[operation]") on the interface riid.
template <class Fn>
HRESULT Guarded(const char* sSource, REFIID riid, Fn&& fn) noexcept {
  try {
    return fn();
  } catch (...) {
    return ReportCurrentException(sSource, riid);
  }
}

}  // namespace kvo::com
