#include "app/window_placement.h"

#include <gtest/gtest.h>

#include <array>

namespace calpero {
namespace {

// The main window, frame included, wanted at 188, 156, on screens of several available areas.
TEST(PlaceWhollyVisible, MovesTheWindowJustEnoughToShowItWhole) {
  constexpr TScreenRect kWindow{188, 156, 666, 391};
  struct Case {
    TScreenRect area;
    TScreenRect placed;
  };
  const auto cases = std::to_array<Case>({
      {{0, 0, 1280, 1024}, kWindow},                  // fits: stays
      {{188, 156, 666, 391}, kWindow},                // fits to the pixel
      {{0, 0, 800, 600}, {134, 156, 666, 391}},       // too narrow there
      {{0, 0, 1024, 520}, {188, 129, 666, 391}},      // a panel below
      {{200, 170, 1000, 800}, {200, 170, 666, 391}},  // panels above and to the left
      {{0, 0, 640, 512}, {0, 121, 666, 391}},         // 1280 by 1024 at scale 2: caption in reach
  });
  for (const Case& c : cases) {
    EXPECT_EQ(PlaceWhollyVisible(kWindow, c.area), c.placed)
        << c.area.Width << "x" << c.area.Height;
  }
}

}  // namespace
}  // namespace calpero
