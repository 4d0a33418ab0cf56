#pragma once

#include <string_view>

#include "catalogue/section_index.h"

namespace calpero {

// What the catalogue's rules make of the text stored under one key.
enum class StoredPowerState {
  Missing,   // no entry, or an empty value: the power is 0
  Number,    // read by ParsePower; the value is its nearest double, down to 0
  Refused,   // ParsePower refuses the text: the power counts as 0
  Overflow,  // a number beyond the double range: reading it raises EOverflow
};

// One stored power: its state, its text as stored (a view into the catalogue text) and the value
// that the catalogue reads (0 unless the state is Number).
struct StoredPower {
  StoredPowerState State = StoredPowerState::Missing;
  std::string_view Text;
  double Value = 0;
};

// What the catalogue's rules make of the stored value text `text` (a view that the result keeps).
// Never throws beyond allocation failure.
StoredPower InspectStoredPower(std::string_view text);

// The same for the power stored under `key` in `section` of the catalogue text that `index` looks
// through; a missing key is Missing.
StoredPower InspectStoredPower(const SectionIndex& index, const IniSection& section,
                               std::string_view key);

// The power stored under `key` in `section` of the catalogue text that `index` looks through, by
// the catalogue's rules:
// 0 when the key is missing, its value is empty or ParsePower refuses it; otherwise the nearest
// double, down to 0 for values too small. Throws EOverflow for a value beyond the double range.
double ReadStoredPower(const SectionIndex& index, const IniSection& section, std::string_view key);

}  // namespace calpero
