#include "catalogue/closest_name.h"

#include <algorithm>
#include <cstddef>
#include <utility>
#include <vector>

#include "text/text_bytes.h"

namespace calpero {
namespace {

constexpr std::size_t kShortName = 4;

std::size_t Difference(std::size_t a, std::size_t b) { return a > b ? a - b : b - a; }

// The edit distance of `a` and `b` with swaps of neighbours (optimal string alignment), or
// `limit` + 1 as soon as it is known to exceed `limit`. Only the band of cells within `limit` of
// the diagonal can hold a distance that counts, so each row fills at most 2 * limit + 1 cells and
// the time grows with the length of the names, not with its square; cells outside the band read
// as `limit` + 1.
std::size_t BoundedDistance(std::string_view a, std::string_view b, std::size_t limit) {
  if (Difference(a.size(), b.size()) > limit) {
    return limit + 1;
  }
  const std::size_t beyond = limit + 1;
  std::vector<std::size_t> before(b.size() + 1, beyond);
  std::vector<std::size_t> previous(b.size() + 1, beyond);
  std::vector<std::size_t> current(b.size() + 1, beyond);
  for (std::size_t j = 0; j <= std::min(b.size(), limit); ++j) {
    previous[j] = j;
  }
  for (std::size_t i = 1; i <= a.size(); ++i) {
    const std::size_t first = i > limit ? i - limit : 1;
    const std::size_t last = std::min(b.size(), i + limit);
    // The cell left of the band: the first column while it lies within the limit.
    current[first - 1] = first == 1 ? std::min(i, beyond) : beyond;
    std::size_t rowLeast = current[first - 1];
    for (std::size_t j = first; j <= last; ++j) {
      const bool same = FoldAsciiCase(a[i - 1]) == FoldAsciiCase(b[j - 1]);
      std::size_t cell =
          std::min({previous[j] + 1, current[j - 1] + 1, previous[j - 1] + (same ? 0 : 1)});
      if (i > 1 && j > 1 && FoldAsciiCase(a[i - 1]) == FoldAsciiCase(b[j - 2]) &&
          FoldAsciiCase(a[i - 2]) == FoldAsciiCase(b[j - 1])) {
        cell = std::min(cell, before[j - 2] + 1);
      }
      current[j] = std::min(cell, beyond);
      rowLeast = std::min(rowLeast, current[j]);
    }
    if (rowLeast > limit) {
      return beyond;
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
