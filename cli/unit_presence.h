#pragma once

#include <span>
#include <string>
#include <vector>

namespace calpero {

class UnitCatalogue;

// The names among `names` for which the catalogue holds no section, compared as the catalogue
// compares names (ASCII letters without regard to case), each once, in the order of their first
// appearance and spelled as first given. A section that is present but holds no entries counts
// as present: it reads as zeros, but the unit is there (ListUnits lists it). The catalogue is
// read once; a missing or unreadable file holds no units. Never throws beyond allocation failure.
std::vector<std::string> MissingUnits(const UnitCatalogue& catalogue,
                                      std::span<const std::string> names);

}  // namespace calpero
