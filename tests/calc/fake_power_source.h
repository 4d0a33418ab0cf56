#pragma once

#include <array>
#include <cstddef>
#include <map>
#include <optional>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_source.h"

namespace calpero::testing {

// An in-memory catalogue: unit name -> Mass, Length, Temperature, Time. Answers 0 for a unit it
// does not hold, as the catalogue does, records every read in order, and can be told to raise
// EOverflow for one unit and key, as the catalogue does for a stored number beyond double range.
class FakePowerSource : public PowerSource {
 public:
  using Powers = std::array<double, 4>;

  FakePowerSource() = default;
  explicit FakePowerSource(std::map<std::string, Powers, std::less<>> units)
      : units_(std::move(units)) {}

  void OverflowOn(std::string unitName, std::string_view key) {
    overflow_ = std::make_pair(std::move(unitName), std::string(key));
  }

  double ReadPower(std::string_view unitName, std::string_view key) const override {
    reads_.emplace_back(std::string(unitName), std::string(key));
    if (overflow_ && overflow_->first == unitName && overflow_->second == key) {
      throw EOverflow();
    }
    const auto unit = units_.find(unitName);
    if (unit == units_.end()) {
      return 0;
    }
    for (std::size_t index = 0; index < kPowerKeys.size(); ++index) {
      if (kPowerKeys.at(index) == key) {
        return unit->second.at(index);
      }
    }
    return 0;
  }

  const std::vector<std::pair<std::string, std::string>>& Reads() const { return reads_; }

 private:
  std::map<std::string, Powers, std::less<>> units_;
  std::optional<std::pair<std::string, std::string>> overflow_;
  mutable std::vector<std::pair<std::string, std::string>> reads_;
};

}  // namespace calpero::testing
