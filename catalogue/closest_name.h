#pragma once

#include <span>
#include <string>
#include <string_view>

namespace calpero {

// The name among `names` closest to the unknown `name`, for a "did you mean" hint: the fewest
// single-byte insertions, deletions, substitutions or swaps of neighbours, ASCII letters compared
// without regard to case, at most 1 for a name of up to 4 bytes and 2 for a longer one. Among
// equally close names the first in `names` wins. Empty when none is that close.
std::string ClosestName(std::string_view name, std::span<const std::string> names);

}  // namespace calpero
