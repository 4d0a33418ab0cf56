#include "app/unit_order.h"

#include <algorithm>

namespace calpero {

char FoldAsciiCase(char byte) {
  if (byte >= 'A' && byte <= 'Z') {
    return static_cast<char>(byte - 'A' + 'a');
  }
  return byte;
}

bool UnitNameLess(std::string_view left, std::string_view right) {
  const auto folded = [](char a, char b) {
    return static_cast<unsigned char>(FoldAsciiCase(a)) <
           static_cast<unsigned char>(FoldAsciiCase(b));
  };
  if (std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(), folded)) {
    return true;
  }
  if (std::lexicographical_compare(right.begin(), right.end(), left.begin(), left.end(), folded)) {
    return false;
  }
  const auto bytes = [](char a, char b) {
    return static_cast<unsigned char>(a) < static_cast<unsigned char>(b);
  };
  return std::lexicographical_compare(left.begin(), left.end(), right.begin(), right.end(), bytes);
}

std::vector<std::string> SortedUnitNames(std::vector<std::string> names) {
  std::stable_sort(names.begin(), names.end(),
                   [](const std::string& a, const std::string& b) { return UnitNameLess(a, b); });
  return names;
}

}  // namespace calpero
