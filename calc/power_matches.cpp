#include "calc/power_matches.h"

#include <algorithm>
#include <cstddef>
#include <cstdint>
#include <unordered_map>
#include <unordered_set>
#include <utility>

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
// a catalogue is the first. A power that an evaluation would refuse matches nothing. Each key
// compared whose text was refused goes to `refused` (section index, key) when it is given.
bool HasPowers(const SectionIndex& index, std::size_t sectionIndex, const IniSection& section,
               const TPowerVector& powers,
               std::vector<std::pair<std::size_t, std::string_view>>* refused) {
  try {
    for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
      const StoredPower power = InspectStoredPower(index, section, kPowerKeys.at(i));
      if (power.State == StoredPowerState::Overflow) {
        return false;
      }
      if (power.State == StoredPowerState::Refused && refused != nullptr) {
        refused->emplace_back(sectionIndex, kPowerKeys.at(i));
      }
      if (StoreSingle(power.Value) != powers[i]) {
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

// Adds the refused texts of the sections that no earlier section of the same name shadows.
void ReportRefused(const SectionIndex& index, const std::vector<IniSection>& sections,
                   const std::vector<std::pair<std::size_t, std::string_view>>& found,
                   std::vector<TRefusedPower>& refused) {
  std::vector<std::size_t> reading;
  for (const auto& [section, key] : found) {
    if (reading.empty() || reading.back() != section) {
      reading.push_back(section);
    }
  }
  DropShadowed(sections, reading);
  for (const auto& [section, key] : found) {
    if (std::ranges::binary_search(reading, section)) {
      refused.push_back({std::string(sections[section].name), key,
                         std::string(InspectStoredPower(index, sections[section], key).Text)});
    }
  }
}

std::vector<std::string> UnitsWithPowersIn(const SectionIndex& index, const TPowerVector& powers,
                                           std::vector<TRefusedPower>* refused) {
  const std::vector<IniSection> sections = index.Sections();
  std::vector<std::size_t> candidates;
  std::vector<std::pair<std::size_t, std::string_view>> found;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (HasPowers(index, i, sections[i], powers, refused != nullptr ? &found : nullptr)) {
      candidates.push_back(i);
    }
  }
  if (refused != nullptr && !found.empty()) {
    ReportRefused(index, sections, found, *refused);
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

std::vector<std::string> UnitsWithPowers(std::string_view text, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused) {
  return UnitsWithPowersIn(SectionIndex(text), powers, refused);
}

std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused) {
  return UnitsWithPowers(ReadWholeFile(catalogue.Path()).bytes, powers, refused);
}

TUnitsAndMatches ListUnitsAndMatches(const UnitCatalogue& catalogue,
                                     const std::optional<TPowerVector>& powers) {
  const WholeFile file = ReadWholeFile(catalogue.Path());
  const SectionIndex index(file.bytes);
  TUnitsAndMatches found{.Units = index.Names(), .Matches = {}};
  if (powers) {
    found.Matches = UnitsWithPowersIn(index, *powers, nullptr);
  }
  return found;
}

}  // namespace calpero
