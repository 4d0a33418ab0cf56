#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace calpero {

// The unit list's select-by-prefix search. `start` is the index of the item just before the
// first one examined: the search looks at the items from start + 1 to the last, then wraps
// around to index 0 and ends with `start` itself, which is examined last. A `start` outside the
// list (-1, say) searches the whole list from index 0. Returns the index of the first item that
// begins with `prefix` (StartsWithNoCase), or std::nullopt when none does or the list is empty.
std::optional<std::size_t> SelectStringIndex(std::span<const std::string> items,
                                             std::string_view prefix, std::ptrdiff_t start);

}  // namespace calpero
