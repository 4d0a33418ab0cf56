#include "catalogue/stored_power.h"

#include <optional>

#include "catalogue/errors.h"
#include "catalogue/power_text.h"

namespace calpero {

StoredPower InspectStoredPower(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  StoredPower power{StoredPowerState::Number, text, 0};
  long double value = 0;
  try {
    value = ParsePower(text);
  } catch (const EConvertError&) {
    // A hand-edited or foreign value counts as no power at all.
    power.State = StoredPowerState::Refused;
    return power;
  }
  try {
    power.Value = PowerToDouble(value);
  } catch (const EOverflow&) {
    power.State = StoredPowerState::Overflow;
  }
  return power;
}

StoredPower InspectStoredPower(const SectionIndex& index, const IniSection& section,
                               std::string_view key) {
  const std::optional<IniLine> entry = index.FindEntry(section, key);
  return entry ? InspectStoredPower(entry->value) : StoredPower{};
}

double ReadStoredPower(const SectionIndex& index, const IniSection& section, std::string_view key) {
  const StoredPower power = InspectStoredPower(index, section, key);
  if (power.State == StoredPowerState::Overflow) {
    throw EOverflow();
  }
  return power.Value;
}

}  // namespace calpero
