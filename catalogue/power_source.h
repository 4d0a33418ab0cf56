#pragma once

#include <string_view>

namespace calpero {

// Something that answers ReadPower by unit name and key, with the catalogue's rules: 0 when the
// unit or key is missing or the stored text is not a number; EOverflow for a stored number beyond
// double range. The catalogue handle itself is one; a single reading of the file for a set of
// names (what an evaluation uses, so that it reads the file once) is another.
class PowerSource {
 public:
  virtual ~PowerSource() = default;
  virtual double ReadPower(std::string_view unitName, std::string_view key) const = 0;

 protected:
  PowerSource() = default;
  PowerSource(const PowerSource&) = default;
  PowerSource& operator=(const PowerSource&) = default;
};

}  // namespace calpero
