#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace calpero {

// The unit list's order: names compare byte by byte with ASCII letters folded to lower case (so
// "_" sorts before the letters); names that are equal so folded compare by their stored bytes,
// which makes the order total and the same on every run ("ABC" before "Abc" before "abc").
bool UnitNameLess(std::string_view left, std::string_view right);

// The names in the unit list's order (UnitNameLess). Duplicates are kept.
std::vector<std::string> SortedUnitNames(std::vector<std::string> names);

}  // namespace calpero
