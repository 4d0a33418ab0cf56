#include "calc/power_matches.h"

#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/section_index.h"
#include "catalogue/stored_power.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/whole_file.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

// Whether the section's powers, as an evaluation of its unit alone stores them, are `powers`.
// Reads one power at a time and stops at the first that differs, which for nearly every unit of
// a catalogue is the first. A power that an evaluation would refuse matches nothing.
bool HasPowers(const SectionIndex& index, const IniSection& section, const TPowerVector& powers) {
  try {
    for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
      if (StoreSingle(ReadStoredPower(index, section, kPowerKeys.at(i))) != powers[i]) {
        return false;
      }
    }
  } catch (const EOverflow&) {
    return false;
  }
  return true;
}

// Drops the candidates (indices into `sections`, in increasing order) that an earlier section of
// the same name shadows. Hashes only when there is a candidate; one pass over the sections.
void DropShadowed(const std::vector<IniSection>& sections, std::vector<std::size_t>& candidates) {
  std::unordered_multimap<std::uint64_t, std::size_t> byHash;
  for (const std::size_t candidate : candidates) {
    byHash.emplace(IniNameHash(sections[candidate].name), candidate);
  }
  std::unordered_set<std::size_t> shadowed;
  const std::size_t last = candidates.back();
  for (std::size_t j = 0; j < last; ++j) {
    const auto [first, end] = byHash.equal_range(IniNameHash(sections[j].name));
    for (auto it = first; it != end; ++it) {
      if (it->second > j && SameIniName(sections[j].name, sections[it->second].name)) {
        shadowed.insert(it->second);
      }
    }
  }
  std::erase_if(candidates, [&shadowed](std::size_t index) { return shadowed.contains(index); });
}

std::vector<std::string> UnitsWithPowersIn(const SectionIndex& index, const TPowerVector& powers) {
  const std::vector<IniSection> sections = index.Sections();
  std::vector<std::size_t> candidates;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (HasPowers(index, sections[i], powers)) {
      candidates.push_back(i);
    }
  }
  std::vector<std::string> matches;
  if (candidates.empty()) {
    return matches;
  }
  DropShadowed(sections, candidates);
  for (const std::size_t candidate : candidates) {
    matches.emplace_back(sections[candidate].name);
  }
  return matches;
}

}  // namespace

std::vector<std::string> UnitsWithPowers(std::string_view text, const TPowerVector& powers) {
  return UnitsWithPowersIn(SectionIndex(text), powers);
}

std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue,
                                         const TPowerVector& powers) {
  return UnitsWithPowers(ReadWholeFile(catalogue.Path()).bytes, powers);
}

TUnitsAndMatches ListUnitsAndMatches(const UnitCatalogue& catalogue,
                                     const std::optional<TPowerVector>& powers) {
  const WholeFile file = ReadWholeFile(catalogue.Path());
  const SectionIndex index(file.bytes);
  TUnitsAndMatches found{.Units = index.Names(), .Matches = {}};
  if (powers) {
    found.Matches = UnitsWithPowersIn(index, *powers);
  }
  return found;
}

}  // namespace calpero
