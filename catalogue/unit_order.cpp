#include "catalogue/unit_order.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <utility>

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
// zero), and where it stands in the input. Ordering the numbers orders most names of a large
// catalogue without looking at the names again; only names whose first 16 folded bytes agree are
// compared in full.
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

// Byte `byte` of a key's 128-bit number, counted from the least significant.
std::size_t KeyByte(const TSortKey& key, std::size_t byte) {
  const std::uint64_t word = byte < sizeof(std::uint64_t) ? key.Low : key.High;
  return static_cast<std::size_t>((word >> (8U * (byte % sizeof(std::uint64_t)))) & 0xFFU);
}

// Orders `keys` by their numbers (High, then Low), keeping the input order among equal numbers:
// a radix sort, least significant byte first, one counting pass and one stable scatter for each
// byte in which the keys differ. A large catalogue's names share most of their leading bytes
// ("Quantity ..."), whose passes are left out, so the sort costs a few passes over the keys
// where a comparison sort costs some seventeen comparisons per name.
void SortByNumber(std::vector<TSortKey>& keys) {
  if (keys.empty()) {
    return;
  }
  std::uint64_t highDiffers = 0;
  std::uint64_t lowDiffers = 0;
  for (const TSortKey& key : keys) {
    highDiffers |= key.High ^ keys.front().High;
    lowDiffers |= key.Low ^ keys.front().Low;
  }
  const TSortKey differs{highDiffers, lowDiffers, 0};
  std::vector<TSortKey> scattered(keys.size());
  for (std::size_t byte = 0; byte < 2 * sizeof(std::uint64_t); ++byte) {
    if (KeyByte(differs, byte) == 0) {
      continue;
    }
    std::array<std::size_t, 256> start{};
    for (const TSortKey& key : keys) {
      ++start.at(KeyByte(key, byte));
    }
    std::size_t offset = 0;
    for (std::size_t& count : start) {
      offset += std::exchange(count, offset);
    }
    for (const TSortKey& key : keys) {
      scattered[start.at(KeyByte(key, byte))++] = key;
    }
    keys.swap(scattered);
  }
}

}  // namespace

std::vector<std::string> SortedUnitNames(std::vector<std::string> names) {
  std::vector<TSortKey> keys(names.size());
  for (std::size_t i = 0; i < names.size(); ++i) {
    keys[i] = {FoldedBigEndian(names[i], 0), FoldedBigEndian(names[i], sizeof(std::uint64_t)),
               static_cast<std::uint32_t>(i)};
  }
  // A key that is smaller is a name that is smaller (a shorter name pads with zeros, which no
  // folded byte is below); a run of equal keys is put in order by the names themselves. Names
  // equal in every byte are interchangeable, so an unstable sort of such a run gives the same
  // list.
  SortByNumber(keys);
  for (auto run = keys.begin(); run != keys.end();) {
    const auto runEnd = std::find_if(run, keys.end(), [&run](const TSortKey& key) {
      return key.High != run->High || key.Low != run->Low;
    });
    if (runEnd - run > 1) {
      std::sort(run, runEnd, [&names](const TSortKey& a, const TSortKey& b) {
        return UnitNameLess(names[a.Index], names[b.Index]);
      });
    }
    run = runEnd;
  }
  std::vector<std::string> sorted;
  sorted.reserve(names.size());
  for (const TSortKey& key : keys) {
    sorted.push_back(std::move(names[key.Index]));
  }
  return sorted;
}

TOrderChange TUnitListOrder::Change(const std::vector<std::string>& fileOrder) const {
  const auto differs = std::ranges::mismatch(fileOrder, fileOrder_).in1;
  const auto at = static_cast<std::size_t>(differs - fileOrder.begin());
  const auto rowOf = [this](auto place) {
    return static_cast<std::size_t>(place - sorted_.begin());
  };
  // UnitNameLess is a total order: a name sorts among equal names only when they are its bytes.
  if (fileOrder.size() + 1 == fileOrder_.size() &&
      std::equal(differs, fileOrder.end(),
                 fileOrder_.begin() + static_cast<std::ptrdiff_t>(at) + 1)) {
    return {TOrderChange::TKind::Removed,
            rowOf(std::ranges::lower_bound(sorted_, fileOrder_[at], UnitNameLess))};
  }
  if (fileOrder.size() == fileOrder_.size() + 1 &&
      std::equal(differs + 1, fileOrder.end(),
                 fileOrder_.begin() + static_cast<std::ptrdiff_t>(at))) {
    return {TOrderChange::TKind::Inserted,
            rowOf(std::ranges::upper_bound(sorted_, *differs, UnitNameLess))};
  }
  if (differs != fileOrder.end() || fileOrder.size() != fileOrder_.size()) {
    return {TOrderChange::TKind::Sorted, 0};
  }
  return {};
}

void TUnitListOrder::Update(std::vector<std::string> fileOrder) {
  const TOrderChange change = Change(fileOrder);
  const auto row = sorted_.begin() + static_cast<std::ptrdiff_t>(change.Row);
  switch (change.Kind) {
    case TOrderChange::TKind::Removed:
      sorted_.erase(row);
      break;
    case TOrderChange::TKind::Inserted: {
      const auto differs = std::ranges::mismatch(fileOrder, fileOrder_).in1;
      sorted_.insert(row, *differs);
      break;
    }
    case TOrderChange::TKind::Sorted:
      sorted_ = SortedUnitNames(fileOrder);
      break;
    case TOrderChange::TKind::None:
      break;
  }
  fileOrder_ = std::move(fileOrder);
}

}  // namespace calpero

namespace calpero {

std::string_view TUnitListOrder::ShadowedBy(std::size_t row) const {
  const std::string& name = sorted_.at(row);
  const bool sameBefore = row > 0 && SameIniName(sorted_[row - 1], name);
  const bool sameAfter = row + 1 < sorted_.size() && SameIniName(sorted_[row + 1], name);
  if (!sameBefore && !sameAfter) {
    return {};
  }
  const auto read = std::ranges::find_if(
      fileOrder_, [&name](const std::string& other) { return SameIniName(other, name); });
  if (*read != name || (sameBefore && sorted_[row - 1] == name)) {
    return *read;
  }
  return {};
}

}  // namespace calpero
