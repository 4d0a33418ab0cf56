#include "bench/generated_catalogue.h"

#include <array>
#include <fstream>
#include <stdexcept>
#include <string_view>

namespace calpero {
namespace {

// Typical powers of physical units; each key walks the table at its own pace so that the units
// differ from one another.
constexpr std::array<std::string_view, 8> kPowers = {"1", "-2", "0", "0.5", "-1.5", "3", "0", "-1"};

std::string UnitName(std::size_t index) {
  std::string digits = std::to_string(index);
  constexpr std::size_t kWidth = 6;
  if (digits.size() < kWidth) {
    digits.insert(0, kWidth - digits.size(), '0');
  }
  std::string name = "Quantity ";
  return name.append(digits);
}

}  // namespace

std::string GeneratedSection(std::size_t number) {
  std::string text = "[";
  text.append(UnitName(number)).append("]\n");
  text.append("Mass=").append(kPowers.at(number % kPowers.size())).append("\n");
  text.append("Length=").append(kPowers.at((number / 3) % kPowers.size())).append("\n");
  text.append("Temperature=").append(kPowers.at((number / 7) % kPowers.size())).append("\n");
  text.append("Time=").append(kPowers.at((number / 5 + 1) % kPowers.size())).append("\n");
  return text;
}

GeneratedCatalogue::GeneratedCatalogue(const std::filesystem::path& folder, std::size_t unitCount)
    : path_((folder / "data.ini").string()) {
  names_.reserve(unitCount);
  for (std::size_t i = 0; i < unitCount; ++i) {
    // A step prime to every count used walks through all the numbers once, out of order.
    constexpr std::size_t kStep = 7919;
    const std::size_t number = (i * kStep + unitCount / 3) % unitCount;
    names_.push_back(UnitName(number));
    bytes_.append(GeneratedSection(number));
  }
  Restore();
}

std::string GeneratedCatalogue::LastListedName() const { return UnitName(names_.size() - 1); }

void GeneratedCatalogue::Restore() const {
  std::ofstream file(path_, std::ios::binary | std::ios::trunc);
  file.write(bytes_.data(), static_cast<std::streamsize>(bytes_.size()));
  file.close();
  if (!file) {
    throw std::runtime_error("cannot write " + path_);
  }
}

}  // namespace calpero
