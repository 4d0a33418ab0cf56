#include "app/unit_order.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>

#include "text/text_bytes.h"

namespace calpero {

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

namespace {

// A name's place in the sort: its first 16 bytes folded, as two big-endian numbers (missing bytes
// zero), and where it stands in the input. Comparing the numbers orders most names of a large
// catalogue at the cost of two integer comparisons; only names whose first 16 folded bytes agree
// are compared in full.
struct TSortKey {
  std::uint64_t High = 0;
  std::uint64_t Low = 0;
  std::uint32_t Index = 0;
};

std::uint64_t FoldedBigEndian(std::string_view name, std::size_t from) {
  std::uint64_t word = 0;
  for (std::size_t i = from; i < from + sizeof word; ++i) {
    const auto byte = i < name.size() ? static_cast<unsigned char>(FoldAsciiCase(name[i])) : 0U;
    word = (word << 8U) | byte;
  }
  return word;
}

}  // namespace

std::vector<std::string> SortedUnitNames(std::vector<std::string> names) {
  std::vector<TSortKey> keys(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    keys[i] = {FoldedBigEndian(names[i], 0), FoldedBigEndian(names[i], sizeof(std::uint64_t)),
               static_cast<std::uint32_t>(i)};
  }
  // A key that is smaller is a name that is smaller (a shorter name pads with zeros, which no
  // folded byte is below); equal keys leave the decision to the names themselves. Names equal
  // in every byte are interchangeable, so an unstable sort gives the same list.
  std::sort(keys.begin(), keys.end(), [&names](const TSortKey& a, const TSortKey& b) {
    if (a.High != b.High) {
      return a.High < b.High;
    }
    if (a.Low != b.Low) {
      return a.Low < b.Low;
    }
    return UnitNameLess(names[a.Index], names[b.Index]);
  });
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (const TSortKey& key : keys) {
    sorted.push_back(std::move(names[key.Index]));
  }
  return sorted;
}

}  // namespace calpero
