#include "cli/unit_presence.h"

#include <algorithm>
#include <string_view>

#include "catalogue/ini_text.h"
#include "catalogue/unit_catalogue.h"

namespace calpero {
namespace {

bool Contains(const std::vector<std::string>& names, std::string_view name) {
  return std::any_of(names.begin(), names.end(),
                     [name](const std::string& listed) { return SameIniName(listed, name); });
}

}  // namespace

std::vector<std::string> MissingUnits(const UnitCatalogue& catalogue,
                                      std::span<const std::string> names) {
  const std::vector<std::string> listed = catalogue.ListUnits();
  std::vector<std::string> missing;
  for (const std::string& name : names) {
    if (!Contains(listed, name) && !Contains(missing, name)) {
      missing.push_back(name);
    }
  }
  return missing;
}

}  // namespace calpero
