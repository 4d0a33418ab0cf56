#include "catalogue/catalogue_reading.h"

#include <cstdint>
#include <unordered_set>
#include <vector>

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
  // The low bits of each wanted name's hash, one bit each: a section whose bit is clear is not
  // wanted, which one look settles for nearly every section of a large file.
  constexpr std::uint64_t kHashBits = 1U << 16U;
  std::vector<bool> maybeWanted(kHashBits);
  std::string folded;
  for (const std::string& name : unitNames) {
    FoldIniName(name, folded);
    wanted.insert(folded);
    maybeWanted[IniNameHash(name) % kHashBits] = true;
  }
  IniSectionWalker walker(text_);
  IniSection section;
  // Only the first section of each name counts, and the walk ends once every name is found.
  while (sections_.size() < wanted.size() && walker.NextHeader(section)) {
    if (!maybeWanted[IniNameHash(section.name) % kHashBits]) {
      continue;
    }
    FoldIniName(section.name, folded);
    if (!wanted.contains(folded) || sections_.contains(folded)) {
      continue;
    }
    DescribeIniEntries(text_, section);
    section.name = {};
    sections_.emplace(folded, section);
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

bool CatalogueReading::HoldsUnit(std::string_view unitName) const {
  std::string folded;
  FoldIniName(unitName, folded);
  return sections_.contains(folded);
}

}  // namespace calpero
