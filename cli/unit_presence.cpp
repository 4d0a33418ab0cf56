#include "cli/unit_presence.h"

#include <unordered_set>

#include "catalogue/catalogue_reading.h"
#include "text/text_bytes.h"

namespace calpero {

std::vector<std::string> MissingUnits(const CatalogueReading& reading,
                                      std::span<const std::string> names) {
  std::vector<std::string> missing;
  std::unordered_set<std::string> reported;  // folded
  std::string folded;
  for (const std::string& name : names) {
    if (reading.HoldsUnit(name)) {
      continue;
    }
    FoldIniName(name, folded);
    if (reported.insert(folded).second) {
      missing.push_back(name);
    }
  }
  return missing;
}

}  // namespace calpero
