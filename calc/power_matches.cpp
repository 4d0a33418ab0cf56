#include "calc/power_matches.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/errors.h"
#include "catalogue/ini_section.h"
#include "catalogue/ini_text.h"
#include "catalogue/power_keys.h"
#include "catalogue/stored_power.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/whole_file.h"

namespace calpero {
namespace {

// Whether the section's powers, as an evaluation of its unit alone stores them, are `powers`.
// Reads one power at a time and stops at the first that differs, which for nearly every unit of
// a catalogue is the first. A power that an evaluation would refuse matches nothing.
bool HasPowers(std::string_view text, const IniSection& section, const TPowerVector& powers) {
  try {
    for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
      if (StoreSingle(ReadStoredPower(text, section, kPowerKeys.at(i))) != powers[i]) {
        return false;
      }
    }
  } catch (const EOverflow&) {
    return false;
  }
  return true;
}

// Drops the candidates (indices into `names`, in increasing order) that an earlier section of
// the same name shadows. Hashes only when there is a candidate; one pass over the names.
void DropShadowed(const std::vector<std::string_view>& names,
                  std::vector<std::size_t>& candidates) {
  std::unordered_multimap<std::uint64_t, std::size_t> byHash;
  for (const std::size_t candidate : candidates) {
    byHash.emplace(IniNameHash(names[candidate]), candidate);
  }
  std::unordered_set<std::size_t> shadowed;
  const std::size_t last = candidates.back();
  for (std::size_t j = 0; j < last; ++j) {
    const auto [first, end] = byHash.equal_range(IniNameHash(names[j]));
    for (auto it = first; it != end; ++it) {
      if (it->second > j && SameIniName(names[j], names[it->second])) {
        shadowed.insert(it->second);
      }
    }
  }
  std::erase_if(candidates, [&shadowed](std::size_t index) { return shadowed.contains(index); });
}

}  // namespace

std::vector<std::string> UnitsWithPowers(std::string_view text, const TPowerVector& powers) {
  std::vector<std::string_view> names;  // every section's, in file order
  std::vector<std::size_t> candidates;
  IniSectionWalker walker(text);
  IniSection section;
  while (walker.NextHeader(section)) {
    if (HasPowers(text, section, powers)) {
      candidates.push_back(names.size());
    }
    names.push_back(section.name);
  }
  std::vector<std::string> matches;
  if (candidates.empty()) {
    return matches;
  }
  DropShadowed(names, candidates);
  for (const std::size_t index : candidates) {
    matches.emplace_back(names[index]);
  }
  return matches;
}

std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue,
                                         const TPowerVector& powers) {
  return UnitsWithPowers(ReadWholeFile(catalogue.Path()).bytes, powers);
}

}  // namespace calpero
