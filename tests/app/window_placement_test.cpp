#include "app/window_placement.h"

#include <gtest/gtest.h>

namespace calpero {
namespace {

struct PlacementCase {
  const char* name;
  TScreenRect area;
  int left;
  int top;
};

// The main window, frame included, wanted at 188, 156.
constexpr TScreenRect kWindow{188, 156, 666, 391};

class PlaceWhollyVisibleTest : public ::testing::TestWithParam<PlacementCase> {};

TEST_P(PlaceWhollyVisibleTest, MovesTheWindowJustEnoughToShowItWhole) {
  const PlacementCase& c = GetParam();
  EXPECT_EQ(PlaceWhollyVisible(kWindow, c.area), (TScreenRect{c.left, c.top, 666, 391}));
}

INSTANTIATE_TEST_SUITE_P(
    Cases, PlaceWhollyVisibleTest,
    ::testing::Values(PlacementCase{"FitsAndStays", {0, 0, 1280, 1024}, 188, 156},
                      PlacementCase{"FitsToThePixel", {188, 156, 666, 391}, 188, 156},
                      PlacementCase{"NarrowScreen", {0, 0, 800, 600}, 134, 156},
                      PlacementCase{"PanelBelow", {0, 0, 1024, 520}, 188, 129},
                      PlacementCase{"ScaledByTwoKeepsTheCaptionCorner", {0, 0, 640, 512}, 0, 121},
                      PlacementCase{"PanelAboveAndLeft", {200, 170, 1000, 800}, 200, 170}),
    [](const auto& info) { return std::string(info.param.name); });

}  // namespace
}  // namespace calpero
