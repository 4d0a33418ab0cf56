#pragma once

#include <string>
#include <string_view>
#include <vector>

#include "calc/power_vector.h"

namespace calpero {

class CatalogueText;
class UnitCatalogue;

// The names of the units of the catalogue text `text` whose four powers, each stored in single
// precision as an evaluation of that unit alone would store it (StoreSingle), equal `powers`.
// A name counts by its first section, the one the catalogue reads, so a later section of the same
// name (letter case aside) is passed over. A unit with a power that an evaluation would refuse
// (beyond the double or the single-precision range) matches nothing. The names come in file
// order, each in its stored bytes. One walk over the section headers, reading each unit's powers
// only as far as the first that differs; never throws beyond allocation.
std::vector<std::string> UnitsWithPowers(std::string_view text, const TPowerVector& powers);

// The same on a reading whose headers are already found: no walk over the text at all.
std::vector<std::string> UnitsWithPowers(const CatalogueText& text, const TPowerVector& powers);

// The same on the catalogue's file, read once (UnitCatalogue::ReadText, so that a reading of the
// same bytes made for the list or an evaluation is used again); a missing or unreadable file holds
// no units.
std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue,
                                         const TPowerVector& powers);

}  // namespace calpero
