// A fault a fuzz target found: its description on standard error, then abort, which the fuzzer
// reports as a crash of the input that caused it (and the replay as a failed test).
#pragma once

#include <cstdio>
#include <cstdlib>
#include <string>

namespace kvo::fuzz {

[[noreturn]] inline void Fail(const std::string& what) {
  std::fprintf(stderr, "fuzz check failed: %s\n", what.c_str());
  std::abort();
}

inline void Require(bool ok, const char* what) {
  if (!ok) Fail(what);
}

}  // namespace kvo::fuzz
