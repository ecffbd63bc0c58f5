// COM on the calling thread for the length of a call that needs it.
#pragma once

#include <objbase.h>
#include <windows.h>

namespace kvo::com {

// Initialises COM (a single-threaded apartment) on the calling thread for its lifetime, where
// the thread is not in a multithreaded apartment already; a thread in an apartment keeps it.
// Never throws.
class ComThreadScope {
 public:
  ComThreadScope() noexcept
      : bInitialised_(SUCCEEDED(CoInitializeEx(nullptr, COINIT_APARTMENTTHREADED))) {}
  ~ComThreadScope() {
    if (bInitialised_) CoUninitialize();
  }
  ComThreadScope(const ComThreadScope&) = delete;
  ComThreadScope& operator=(const ComThreadScope&) = delete;

 private:
  bool bInitialised_;
};

}  // namespace kvo::com
