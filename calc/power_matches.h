#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "calc/power_vector.h"
#include "catalogue/power_search.h"

namespace calpero {

class CatalogueText;
class UnitCatalogue;

// The names of the units of the catalogue text `text` whose four powers, each stored in single
// precision as an evaluation of that unit alone would store it (StoreSingle), equal `powers`.
// A name counts by its first section, the one the catalogue reads, so a later section of the same
// name (letter case aside) is passed over. A unit with a power that an evaluation would refuse
// (beyond the double or the single-precision range) matches nothing. The names come in file
// order, each in its stored bytes. One walk over the section headers, reading each unit's powers
// only as far as the first that differs (the catalogue's power search, UnitsWhosePowersPass);
// never throws beyond allocation.
// When `refused` is given, each stored text that ParsePower refused and that the comparison
// counted as 0 is added to it, once per unit and key, in file order (a unit's keys after the first
// power that differs are not compared, so not reported).
std::vector<std::string> UnitsWithPowers(std::string_view text, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused = nullptr);

// The same on a reading, whose headers are walked once. The search is remembered with the reading
// (CatalogueText::RememberFound), so asking it again of the same reading, or of the reading that
// an erase left, costs no search (except with `refused`, which only a search finds).
std::vector<std::string> UnitsWithPowers(const CatalogueText& text, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused = nullptr);

// The same on the catalogue's file, read once (UnitCatalogue::ReadText, so that a reading of the
// same bytes made for the list or an evaluation is used again); a missing or unreadable file holds
// no units.
std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused = nullptr);

// The catalogue's unit names, as UnitCatalogue::ListUnits gives them, and the units with `powers`,
// as UnitsWithPowers finds them (none when `powers` is not given), from one reading of the file:
// what a reload of the unit list needs to name the units of a resultant without reading again.
struct TUnitsAndMatches {
  std::vector<std::string> Units;
  std::vector<std::string> Matches;
};
TUnitsAndMatches ListUnitsAndMatches(const UnitCatalogue& catalogue,
                                     const std::optional<TPowerVector>& powers);

}  // namespace calpero
