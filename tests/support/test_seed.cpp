#include "tests/support/test_seed.h"

#include <gtest/gtest.h>

#include <charconv>
#include <cstdlib>
#include <string_view>

namespace calpero::test {

std::uint32_t TestSeed(std::uint32_t fixed) {
  const char* text = std::getenv("CALPERO_TEST_SEED");
  if (text == nullptr || *text == '\0') {
    return fixed;
  }
  const std::string_view digits(text);
  std::uint32_t seed = 0;
  const auto [end, error] = std::from_chars(digits.data(), digits.data() + digits.size(), seed);
  if (error != std::errc() || end != digits.data() + digits.size()) {
    ADD_FAILURE() << "CALPERO_TEST_SEED=" << digits << " is not a whole number below 2^32";
    return fixed;
  }
  return seed;
}

std::string ReplayNote(std::uint32_t seed) {
  return "seed " + std::to_string(seed) + " (CALPERO_TEST_SEED=" + std::to_string(seed) +
         " repeats this run)";
}

}  // namespace calpero::test
