#include "catalogue/catalogue_reading.h"

#include <unordered_set>

#include "catalogue/ini_text.h"
#include "catalogue/stored_power.h"
#include "catalogue/whole_file.h"

namespace calpero {

CatalogueReading::CatalogueReading(const std::string& path,
                                   std::span<const std::string> unitNames) {
  if (unitNames.empty()) {
    return;
  }
  text_ = ReadWholeFile(path).bytes;
  std::unordered_set<std::string> wanted;
  std::string folded;
  for (const std::string& name : unitNames) {
    FoldIniName(name, folded);
    wanted.insert(folded);
  }
  IniSectionWalker walker(text_);
  IniSection section;
  // Only the first section of each name counts, and the walk ends once every name is found.
  while (sections_.size() < wanted.size() && walker.Next(section)) {
    FoldIniName(section.name, folded);
    if (!wanted.contains(folded)) {
      continue;
    }
    section.name = {};
    sections_.try_emplace(folded, section);  // keeps the first section of the name
  }
}

double CatalogueReading::ReadPower(std::string_view unitName, std::string_view key) const {
  std::string folded;
  FoldIniName(unitName, folded);
  const auto found = sections_.find(folded);
  if (found == sections_.end()) {
    return 0;
  }
  return ReadStoredPower(text_, found->second, key);
}

}  // namespace calpero
