#include "catalogue/catalogue_reading.h"

#include <utility>

#include "catalogue/stored_power.h"

namespace calpero {

CatalogueText::CatalogueText(std::string text)
    : text_(std::move(text)), headers_(SectionIndex(text_).Headers()) {}

std::vector<std::string> CatalogueText::Names() const {
  std::vector<std::string> names;
  names.reserve(headers_.size());
  for (const IniSection& section : headers_) {
    names.emplace_back(section.name);
  }
  return names;
}

CatalogueReading::CatalogueReading(std::shared_ptr<const CatalogueText> text,
                                   std::span<const std::string> unitNames)
    : text_(std::move(text)), sections_(text_->Index().FindAll(unitNames, text_->Headers())) {}

double CatalogueReading::ReadPower(std::string_view unitName, std::string_view key) const {
  const IniSection* section = sections_.Find(unitName);
  return section != nullptr ? ReadStoredPower(text_->Index(), *section, key) : 0;
}

StoredPower CatalogueReading::InspectPower(std::string_view unitName, std::string_view key) const {
  const IniSection* section = sections_.Find(unitName);
  return section != nullptr ? InspectStoredPower(text_->Index(), *section, key) : StoredPower{};
}

bool CatalogueReading::HoldsUnit(std::string_view unitName) const {
  return sections_.Find(unitName) != nullptr;
}

}  // namespace calpero
