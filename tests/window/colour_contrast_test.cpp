#include "window/colour_contrast.h"

#include <gtest/gtest.h>

#include <array>
#include <tuple>

namespace calpero {
namespace {

// Known figures of the relative-luminance formula, to two decimals, and which colour is dark.
TEST(ColourContrast, MeasuresTheRatioOfTheLighterToTheDarker) {
  const auto cases = std::to_array<std::tuple<TRgb, TRgb, double, bool>>({
      {{0, 0, 0}, {255, 255, 255}, 21.0, true},
      {{255, 251, 240}, {238, 238, 236}, 1.12, false},  // light grey on cream
      {{118, 118, 118}, {255, 255, 255}, 4.54, false},  // the lightest grey that reads on white
  });
  for (const auto& [first, second, ratio, firstIsDark] : cases) {
    EXPECT_NEAR(ContrastRatio(second, first), ratio, 0.005);
    EXPECT_EQ(IsDark(first), firstIsDark);
  }
}

}  // namespace
}  // namespace calpero
