#pragma once

#include <array>
#include <string_view>

namespace calpero {

// The keys of a unit's four powers, in the one order that the catalogue, the evaluation, the rows
// on screen and the dialog's fields all follow: Mass, Length, Temperature, Time.
inline constexpr std::array<std::string_view, 4> kPowerKeys = {"Mass", "Length", "Temperature",
                                                               "Time"};

}  // namespace calpero
