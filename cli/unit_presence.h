#pragma once

#include <span>
#include <string>
#include <vector>

namespace calpero {

class CatalogueReading;

// The names among `names` for which the reading found no section, compared as the catalogue
// compares names (ASCII letters without regard to case), each once, in the order of their first
// appearance and spelled as first given. A section that is present but holds no entries counts
// as present: it reads as zeros, but the unit is there. `reading` must have been made for all of
// `names`. One hash lookup per name; never throws beyond allocation failure.
std::vector<std::string> MissingUnits(const CatalogueReading& reading,
                                      std::span<const std::string> names);

}  // namespace calpero
