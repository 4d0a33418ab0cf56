#include "dialogs/unit_save.h"

#include <algorithm>
#include <cstddef>
#include <string_view>
#include <utility>

#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"

namespace calpero {
namespace {

bool HasBlankText(const TUnitTexts& unit) {
  return unit.Name.empty() ||
         std::ranges::any_of(unit.Powers, [](const std::string& text) { return text.empty(); });
}

std::array<double, 4> ConvertedPowers(const TUnitTexts& unit) {
  std::array<double, 4> powers{};
  for (std::size_t i = 0; i < powers.size(); ++i) {
    // ParsePower reads at extended precision; the catalogue stores doubles as 15-digit texts. A
    // number beyond double range, or one whose stored text would round past it, could not be
    // stored so that it reads back, so it is refused here, quoting the text as the user typed
    // it rather than the catalogue's bare "Floating point overflow".
    powers.at(i) = ConvertPowerText(unit.Powers.at(i), PowerRange::Storable);
  }
  return powers;
}

}  // namespace

TUnitSaveEnd SaveUnit(UnitCatalogue& catalogue, const TUnitTexts& unit,
                      const std::function<bool()>& mayReplace) {
  if (HasBlankText(unit)) {
    return TUnitSaveEnd::BlankField;
  }
  const bool asked = catalogue.UnitExists(unit.Name);
  if (asked && !mayReplace()) {
    return TUnitSaveEnd::ReplaceDeclined;
  }

  // Every power is converted before the first write, and the four go to the file in one
  // replacement, so a save that fails part-way never leaves a unit half old and half new.
  const std::array<double, 4> powers = ConvertedPowers(unit);
  std::array<std::pair<std::string_view, double>, 4> entries;
  for (std::size_t i = 0; i < entries.size(); ++i) {
    entries.at(i) = {kPowerKeys.at(i), powers.at(i)};
  }
  using ExistingUnit = UnitCatalogue::ExistingUnit;
  if (asked) {
    catalogue.WritePowers(unit.Name, entries, ExistingUnit::Replace);
    return TUnitSaveEnd::Replaced;
  }
  if (catalogue.WritePowers(unit.Name, entries, ExistingUnit::Keep)) {
    return TUnitSaveEnd::Saved;
  }
  // Another program saved a unit of that name after the check: the same question decides, as for
  // one that was there before.
  if (!mayReplace()) {
    return TUnitSaveEnd::ReplaceDeclined;
  }
  catalogue.WritePowers(unit.Name, entries, ExistingUnit::Replace);
  return TUnitSaveEnd::Replaced;
}

}  // namespace calpero
