// Strings at the automation boundary: UTF-16 BSTRs outside, UTF-8 inside the component.
#pragma once

#include <windows.h>
// After windows.h, which it needs.
#include <oleauto.h>

#include <string>
#include <string_view>

namespace kvo::com {

// The UTF-8 text of a BSTR; a null BSTR is the empty string. Raises std::bad_alloc.
std::string Utf8Of(BSTR sText);
std::string Utf8Of(std::wstring_view sText);

// UTF-16 of UTF-8 text; invalid bytes become U+FFFD. Raises std::bad_alloc.
std::wstring WideOf(std::string_view sText);

// A new BSTR holding the UTF-8 text; raises std::bad_alloc when none can be allocated.
BSTR NewBstr(std::string_view sText);

// Replaces *psTarget (which may hold a BSTR or null) with a new BSTR of the text, freeing the old
// one; nothing when psTarget is null. Raises std::bad_alloc, leaving *psTarget as it was.
void AssignBstr(BSTR* psTarget, std::string_view sText);

// Owns one BSTR.
class Bstr {
 public:
  Bstr() = default;
  explicit Bstr(BSTR sOwned) : s_(sOwned) {}
  ~Bstr() { SysFreeString(s_); }
  Bstr(const Bstr&) = delete;
  Bstr& operator=(const Bstr&) = delete;

  BSTR Get() const { return s_; }
  BSTR* Out() {
    SysFreeString(s_);
    s_ = nullptr;
    return &s_;
  }
  BSTR Release() {
    BSTR s = s_;
    s_ = nullptr;
    return s;
  }

 private:
  BSTR s_ = nullptr;
};

}  // namespace kvo::com
