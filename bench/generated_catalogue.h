#pragma once

#include <cstddef>
#include <filesystem>
#include <string>
#include <vector>

namespace calpero {

// A catalogue file of a chosen number of units, written for a benchmark: units named
// "Quantity 000000" to "Quantity <count - 1>", stored in a scrambled order as units saved one by
// one would be (so nothing gains from names that happen to be sorted already), each with its four
// keys in the usual order and short powers such as "1", "-2", "0.5" (about 58 bytes per unit, so
// 100,000 units make close to 6 MB). The bytes are kept so that a benchmark can put the file back
// after changing it.
class GeneratedCatalogue {
 public:
  // Writes `unitCount` units to "data.ini" in `folder`, which must exist.
  // Throws std::runtime_error when the file cannot be written.
  GeneratedCatalogue(const std::filesystem::path& folder, std::size_t unitCount);

  const std::string& Path() const { return path_; }
  const std::vector<std::string>& Names() const { return names_; }
  const std::string& Bytes() const { return bytes_; }

  // The name of the unit at place `index` in the file; `index` must be below the unit count.
  const std::string& Name(std::size_t index) const { return names_.at(index); }

  // The name that comes last in the unit list's order.
  std::string LastListedName() const;

  // Writes the original bytes over the file again, in place.
  // Throws std::runtime_error when the file cannot be written.
  void Restore() const;

 private:
  std::string path_;
  std::vector<std::string> names_;
  std::string bytes_;
};

// The text of one unit's section as GeneratedCatalogue writes it, for the unit `number` of its
// name.
std::string GeneratedSection(std::size_t number);

}  // namespace calpero
