#include "window/window_placement.h"

#include <gtest/gtest.h>

#include <array>

namespace calpero {
namespace {

TEST(PlaceWhollyVisible, MovesTheWindowJustEnoughToShowItWhole) {
  // The main window, frame included, wanted at 188, 156; each row an available area (left, top,
  // width, height) and the corner the window gets there.
  constexpr TScreenRect kWindow{188, 156, 666, 391};
  constexpr std::array<std::array<int, 6>, 6> kCases = {{
      {0, 0, 1280, 1024, 188, 156},     // fits: stays
      {188, 156, 666, 391, 188, 156},   // fits to the pixel
      {0, 0, 800, 600, 134, 156},       // too narrow there
      {0, 0, 1024, 520, 188, 129},      // a panel below
      {200, 170, 1000, 800, 200, 170},  // panels above and to the left
      {0, 0, 640, 512, 0, 121},         // 1280 by 1024 at scale 2: the caption stays in reach
  }};
  for (const auto& [left, top, width, height, placedLeft, placedTop] : kCases) {
    EXPECT_EQ(PlaceWhollyVisible(kWindow, {left, top, width, height}),
              (TScreenRect{placedLeft, placedTop, 666, 391}))
        << width << "x" << height;
  }
}

}  // namespace
}  // namespace calpero
