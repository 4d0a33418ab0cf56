#pragma once

#include <span>
#include <string>
#include <string_view>

#include "catalogue/power_source.h"
#include "catalogue/section_index.h"
#include "catalogue/stored_power.h"

namespace calpero {

// One reading of the catalogue file for a set of unit names: the file is read once, at
// construction, and the first section of each requested name is indexed; ReadPower then answers
// from memory exactly as UnitCatalogue::ReadPower would have answered at that moment. Made by
// UnitCatalogue::ReadUnits; what an evaluation uses so that it reads the file once.
class CatalogueReading : public PowerSource {
 public:
  // Reads the file at `path` (when `unitNames` is not empty). A missing or unreadable file reads
  // as empty. Never throws beyond allocation failure.
  CatalogueReading(const std::string& path, std::span<const std::string> unitNames);

  // The power of `key` in the unit's section; 0 for a name that was not requested or has no
  // section, a missing key, or a text that ParsePower refuses. Throws EOverflow for a stored
  // number beyond the double range.
  double ReadPower(std::string_view unitName, std::string_view key) const override;

  // The power stored under `key` in the unit's section with what the catalogue's rules make of
  // it: its text stays valid while the reading lives. Missing for a name that was not requested
  // or has no section. Never throws beyond allocation failure.
  StoredPower InspectPower(std::string_view unitName, std::string_view key) const;

  // Whether the file holds a section of `unitName`, one of the requested names, with or without
  // entries: one hash lookup. False for a name that was not requested.
  bool HoldsUnit(std::string_view unitName) const;

 private:
  std::string text_;
  SectionTable sections_;  // the first section of each requested name
};

}  // namespace calpero
