#include "catalogue/stored_power.h"

#include <optional>

#include "catalogue/errors.h"
#include "catalogue/power_text.h"

namespace calpero {

double ReadStoredPower(const SectionIndex& index, const IniSection& section, std::string_view key) {
  const std::optional<IniLine> entry = index.FindEntry(section, key);
  return entry ? StoredPowerValue(entry->value) : 0;
}

double StoredPowerValue(std::string_view text) {
  if (text.empty()) {
    return 0;
  }
  long double value = 0;
  try {
    value = ParsePower(text);
  } catch (const EConvertError&) {
    // A hand-edited or foreign value counts as no power at all.
    return 0;
  }
  return PowerToDouble(value);
}

}  // namespace calpero
