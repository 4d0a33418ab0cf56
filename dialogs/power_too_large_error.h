#pragma once

#include <string>
#include <string_view>

#include "catalogue/errors.h"

namespace calpero {

// A power field holds a number that reads as a number but lies beyond double precision's range,
// or so near its top that its stored text would not read back, so it cannot be stored:
// "'<text>' is too large for a power", the field's whole text quoted.
class EPowerTooLarge : public Exception {
 public:
  explicit EPowerTooLarge(std::string_view fieldText)
      // Appended rather than concatenated: GCC 12 warns wrongly (-Wrestrict) on a literal put
      // in front of a string in optimised builds.
      : Exception(std::string("'").append(fieldText).append("' is too large for a power")) {}
};

}  // namespace calpero
