#include "app/colour_contrast.h"

#include <gtest/gtest.h>

namespace calpero {
namespace {

struct ContrastCase {
  TRgb first;
  TRgb second;
  double ratio;
  bool firstIsDark;
};

// Figures as the relative-luminance formula gives them, to two decimals.
TEST(ColourContrast, MeasuresTheRatioOfTheLighterToTheDarker) {
  const ContrastCase cases[] = {
      {{0, 0, 0}, {255, 255, 255}, 21.0, true},
      {{255, 251, 240}, {238, 238, 236}, 1.12, false},  // light grey on cream
      {{53, 53, 53}, {0, 0, 0}, 1.71, true},            // black on dark grey
      {{0, 255, 0}, {0, 0, 0}, 15.30, false},           // lime on black
      {{118, 118, 118}, {255, 255, 255}, 4.54, false},  // the lightest grey that reads on white
      {{110, 110, 110}, {110, 110, 110}, 1.0, true},
  };
  for (const ContrastCase& c : cases) {
    EXPECT_NEAR(ContrastRatio(c.first, c.second), c.ratio, 0.005);
    EXPECT_NEAR(ContrastRatio(c.second, c.first), c.ratio, 0.005);
    EXPECT_EQ(IsDark(c.first), c.firstIsDark);
  }
}

}  // namespace
}  // namespace calpero
