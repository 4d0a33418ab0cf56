#pragma once

#include <set>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace calpero {

class CatalogueReading;

// A stored power of a unit that the catalogue could not read: a text that is no number under the
// decimal separator in force (counted as 0), or a number beyond the double range (which no
// evaluation can take).
struct TUnreadPower {
  std::string Unit;      // as first given among the names asked for
  std::string_view Key;  // one of kPowerKeys
  std::string Text;      // as stored
  bool Overflow = false;

  bool operator==(const TUnreadPower&) const = default;
};

// The unread stored powers of the units of `names` that `reading` (made for all of them) holds:
// each unit once, as the catalogue compares names (ASCII letters without regard to case), in the
// order of its first appearance, its keys in the order of kPowerKeys. Never throws beyond
// allocation failure.
std::vector<TUnreadPower> UnreadPowers(const CatalogueReading& reading,
                                       std::span<const std::string> names);

// The unread powers that the window has told the user of, so that each unit and key is told once
// in a run, however often it is read.
class TToldUnreadPowers {
 public:
  // Those of `found` not told before, which count as told from now on.
  std::vector<TUnreadPower> NotYetTold(std::vector<TUnreadPower> found);

 private:
  std::set<std::pair<std::string, std::string_view>> told_;  // folded unit name, key
};

}  // namespace calpero
