#include "calc/power_matches.h"

#include <cstddef>
#include <cstdint>
#include <optional>
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

// Section names compared as the catalogue compares them, without a folded copy of each.
struct TIniNameHash {
  std::size_t operator()(std::string_view name) const {
    return static_cast<std::size_t>(IniNameHash(name));
  }
};

struct TIniNameEqual {
  bool operator()(std::string_view a, std::string_view b) const { return SameIniName(a, b); }
};

// The section's powers as an evaluation of its unit alone stores them, or nothing when the
// evaluation would refuse one of them.
std::optional<TPowerVector> StoredPowers(std::string_view text, const IniSection& section) {
  TPowerVector stored;
  try {
    for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
      stored[i] = StoreSingle(ReadStoredPower(text, section, kPowerKeys.at(i)));
    }
  } catch (const EOverflow&) {
    return std::nullopt;
  }
  return stored;
}

}  // namespace

std::vector<std::string> UnitsWithPowers(std::string_view text, const TPowerVector& powers) {
  std::unordered_set<std::string_view, TIniNameHash, TIniNameEqual> seen;
  std::vector<std::string> matches;
  IniSectionWalker walker(text);
  IniSection section;
  while (walker.Next(section)) {
    if (!seen.insert(section.name).second) {
      continue;
    }
    const std::optional<TPowerVector> stored = StoredPowers(text, section);
    if (stored && *stored == powers) {
      matches.emplace_back(section.name);
    }
  }
  return matches;
}

std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue,
                                         const TPowerVector& powers) {
  return UnitsWithPowers(ReadWholeFile(catalogue.Path()).bytes, powers);
}

}  // namespace calpero
