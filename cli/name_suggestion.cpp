#include "cli/name_suggestion.h"

#include <algorithm>
#include <cstddef>
#include <vector>

#include "text/text_bytes.h"

namespace calpero {
namespace {

constexpr std::size_t kShortName = 4;

std::size_t Difference(std::size_t a, std::size_t b) { return a > b ? a - b : b - a; }

// The edit distance of `a` and `b` with swaps of neighbours (optimal string alignment), or
// `limit` + 1 as soon as it is known to exceed `limit`.
std::size_t BoundedDistance(std::string_view a, std::string_view b, std::size_t limit) {
  if (Difference(a.size(), b.size()) > limit) {
    return limit + 1;
  }
  std::vector<std::size_t> before(b.size() + 1);
  std::vector<std::size_t> previous(b.size() + 1);
  std::vector<std::size_t> current(b.size() + 1);
  for (std::size_t j = 0; j <= b.size(); ++j) {
    previous[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    current[0] = i;
    std::size_t rowLeast = current[0];
    for (std::size_t j = 1; j <= b.size(); ++j) {
      const bool same = FoldAsciiCase(a[i - 1]) == FoldAsciiCase(b[j - 1]);
      current[j] =
          std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && FoldAsciiCase(a[i - 1]) == FoldAsciiCase(b[j - 2]) &&
          FoldAsciiCase(a[i - 2]) == FoldAsciiCase(b[j - 1])) {
        current[j] = std::min(current[j], before[j - 2] + 1);
      }
      rowLeast = std::min(rowLeast, current[j]);
    }
    if (rowLeast > limit) {
      return limit + 1;
    }
    std::swap(before, previous);
    std::swap(previous, current);
  }
  return previous[b.size()];
}

}  // namespace

std::string ClosestName(std::string_view name, std::span<const std::string> names) {
  // Each find narrows the search to names strictly closer than it.
  std::size_t limit = name.size() <= kShortName ? 1 : 2;
  const std::string* closest = nullptr;
  for (const std::string& candidate : names) {
    const std::size_t distance = BoundedDistance(name, candidate, limit);
    if (distance <= limit) {
      closest = &candidate;
      if (distance == 0) {
        break;
      }
      limit = distance - 1;
    }
  }
  return closest == nullptr ? std::string() : *closest;
}

}  // namespace calpero
