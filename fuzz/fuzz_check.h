#pragma once

#include <cstdio>
#include <cstdlib>

namespace calpero::fuzz {

// Stops the run with a report when an invariant does not hold: libFuzzer takes the abort for a
// crash and keeps the input; the replay of the corpus under ctest fails on it.
inline void Require(bool holds, const char* invariant) {
  if (!holds) {
    std::fprintf(stderr, "invariant broken: %s\n", invariant);
    std::abort();
  }
}

}  // namespace calpero::fuzz
