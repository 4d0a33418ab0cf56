#include "calc/power_matches.h"

#include <array>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/section_index.h"
#include "catalogue/stored_power.h"
#include "catalogue/unit_catalogue.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

// Whether the stored texts of one power give the wanted value, as an evaluation of the unit alone
// would store it. A catalogue repeats a handful of texts ("0", "1", "-2") over thousands of units,
// so each distinct text is parsed once and its verdict remembered. A text that an evaluation would
// refuse (beyond the double or the single-precision range) never gives it.
class PowerVerdicts {
 public:
  explicit PowerVerdicts(float wanted) : wanted_(wanted) {}

  // `text` views the catalogue text, which outlives this object.
  bool Gives(std::string_view text) {
    const auto [verdict, isNew] = verdicts_.try_emplace(text, false);
    if (isNew) {
      try {
        verdict->second = StoreSingle(StoredPowerValue(text)) == wanted_;
      } catch (const EOverflow&) {
        verdict->second = false;
      }
    }
    return verdict->second;
  }

 private:
  float wanted_;
  std::unordered_map<std::string_view, bool> verdicts_;
};

// Whether the section's powers, as an evaluation of its unit alone stores them, are those that
// `verdicts` want (a missing entry counts as the empty text, 0). Reads one power at a time and
// stops at the first that differs, which for nearly every unit of a catalogue is the first.
bool HasPowers(const SectionIndex& index, const IniSection& section,
               std::array<PowerVerdicts, 4>& verdicts) {
  for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
    const std::optional<IniLine> entry = index.FindEntry(section, kPowerKeys.at(i));
    if (!verdicts.at(i).Gives(entry ? entry->value : std::string_view())) {
      return false;
    }
  }
  return true;
}

// Drops the candidates (indices into `sections`, in increasing order) that an earlier section of
// the same name shadows. Hashes only when there is a candidate; one pass over the sections.
void DropShadowed(std::span<const IniSection> sections, std::vector<std::size_t>& candidates) {
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

// The units of `sections` (the headers of the text that `index` looks through) with `powers`.
std::vector<std::string> UnitsWithPowers(const SectionIndex& index,
                                         std::span<const IniSection> sections,
                                         const TPowerVector& powers) {
  std::array<PowerVerdicts, 4> verdicts = {PowerVerdicts(powers[0]), PowerVerdicts(powers[1]),
                                           PowerVerdicts(powers[2]), PowerVerdicts(powers[3])};
  std::vector<std::size_t> candidates;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (HasPowers(index, sections[i], verdicts)) {
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
  const SectionIndex index(text);
  return UnitsWithPowers(index, index.Headers(), powers);
}

std::vector<std::string> UnitsWithPowers(const CatalogueText& text, const TPowerVector& powers) {
  return UnitsWithPowers(text.Index(), text.Headers(), powers);
}

std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue,
                                         const TPowerVector& powers) {
  return UnitsWithPowers(*catalogue.ReadText(), powers);
}

}  // namespace calpero
