#pragma once
// What every fuzz target does when an input breaks a rule: say which rule, then abort, so
// that libFuzzer keeps the input as a crash.

#include <cstdio>
#include <cstdlib>
#include <string_view>

namespace noemie::fuzz {

[[noreturn]] inline void fail(std::string_view target, std::string_view what) {
  std::fprintf(stderr, "%.*s: %.*s\n", static_cast<int>(target.size()), target.data(),
               static_cast<int>(what.size()), what.data());
  std::abort();
}

}  // namespace noemie::fuzz
