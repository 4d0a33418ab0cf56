#pragma once

#include <string_view>

#include "catalogue/section_index.h"

namespace calpero {

// The power stored under `key` in `section` of the catalogue text that `index` looks through, by
// the catalogue's rules:
// 0 when the key is missing, its value is empty or ParsePower refuses it; otherwise the nearest
// double, down to 0 for values too small. Throws EOverflow for a value beyond the double range.
double ReadStoredPower(const SectionIndex& index, const IniSection& section, std::string_view key);

// The power that the stored value text `text` stands for, by the same rules: 0 for an empty text
// or one that ParsePower refuses; throws EOverflow for a value beyond the double range.
double StoredPowerValue(std::string_view text);

}  // namespace calpero
