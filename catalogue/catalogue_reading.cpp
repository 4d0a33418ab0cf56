#include "catalogue/catalogue_reading.h"

#include <optional>
#include <utility>

#include "catalogue/errors.h"
#include "catalogue/power_text.h"

namespace calpero {

StoredPower InspectStoredPower(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  StoredPower power{StoredPowerState::Number, text, 0};
  long double value = 0;
  try {
    value = ParsePower(text);
  } catch (const EConvertError&) {
    // A hand-edited or foreign value counts as no power at all.
    power.State = StoredPowerState::Refused;
    return power;
  }
  try {
    power.Value = PowerToDouble(value);
  } catch (const EOverflow&) {
    power.State = StoredPowerState::Overflow;
  }
  return power;
}

StoredPower InspectStoredPower(const SectionIndex& index, const IniSection& section,
                               std::string_view key) {
  const std::optional<IniLine> entry = index.FindEntry(section, key);
  return entry ? InspectStoredPower(entry->value) : StoredPower{};
}

double ReadStoredPower(const SectionIndex& index, const IniSection& section, std::string_view key) {
  const StoredPower power = InspectStoredPower(index, section, key);
  if (power.State == StoredPowerState::Overflow) {
    throw EOverflow();
  }
  return power.Value;
}

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
