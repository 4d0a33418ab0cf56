#include "catalogue/unread_powers.h"

#include <cstddef>
#include <unordered_set>

#include "catalogue/catalogue_reading.h"
#include "catalogue/power_keys.h"
#include "text/text_bytes.h"

namespace calpero {

std::vector<TUnreadPower> UnreadPowers(const CatalogueReading& reading,
                                       std::span<const std::string> names) {
  std::vector<TUnreadPower> unread;
  std::unordered_set<std::string> seen;  // folded
  std::string folded;
  for (const std::string& unit : names) {
    FoldIniName(unit, folded);
    if (!reading.HoldsUnit(unit) || !seen.insert(folded).second) {
      continue;
    }
    for (const std::string_view key : kPowerKeys) {
      const StoredPower power = reading.InspectPower(unit, key);
      if (power.State == StoredPowerState::Refused || power.State == StoredPowerState::Overflow) {
        unread.push_back(
            {unit, key, std::string(power.Text), power.State == StoredPowerState::Overflow});
      }
    }
  }
  return unread;
}

std::vector<TUnreadPower> TToldUnreadPowers::NotYetTold(std::vector<TUnreadPower> found) {
  std::vector<TUnreadPower> fresh;
  std::string folded;
  for (TUnreadPower& power : found) {
    FoldIniName(power.Unit, folded);
    if (told_.emplace(folded, power.Key).second) {
      fresh.push_back(std::move(power));
    }
  }
  return fresh;
}

}  // namespace calpero
