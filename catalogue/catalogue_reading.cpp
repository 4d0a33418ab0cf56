#include "catalogue/catalogue_reading.h"

#include "catalogue/stored_power.h"
#include "catalogue/whole_file.h"

namespace calpero {

CatalogueReading::CatalogueReading(const std::string& path,
                                   std::span<const std::string> unitNames) {
  if (unitNames.empty()) {
    return;
  }
  text_ = ReadWholeFile(path).bytes;
  sections_ = SectionIndex(text_).FindAll(unitNames);
}

double CatalogueReading::ReadPower(std::string_view unitName, std::string_view key) const {
  const IniSection* section = sections_.Find(unitName);
  return section != nullptr ? ReadStoredPower(SectionIndex(text_), *section, key) : 0;
}

StoredPower CatalogueReading::InspectPower(std::string_view unitName, std::string_view key) const {
  const IniSection* section = sections_.Find(unitName);
  return section != nullptr ? InspectStoredPower(SectionIndex(text_), *section, key)
                            : StoredPower{};
}

bool CatalogueReading::HoldsUnit(std::string_view unitName) const {
  return sections_.Find(unitName) != nullptr;
}

}  // namespace calpero
