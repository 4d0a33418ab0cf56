#include "app/prefix_search.h"

#include "text/text_bytes.h"

namespace calpero {

std::optional<std::size_t> SelectStringIndex(std::span<const std::string> items,
                                             std::string_view prefix, std::ptrdiff_t start) {
  const std::size_t count = items.size();
  // Starting "before" the last item makes the first examined item index 0.
  std::size_t before = count == 0 ? 0 : count - 1;
  if (start >= 0 && static_cast<std::size_t>(start) < count) {
    before = static_cast<std::size_t>(start);
  }
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t index = (before + step) % count;
    if (StartsWithNoCase(items[index], prefix)) {
      return index;
    }
  }
  return std::nullopt;
}

}  // namespace calpero
