#include "calc/random_generator.h"

#include <gtest/gtest.h>

#include <cstdint>
#include <vector>

#include "calc/work_area.h"

namespace calpero {
namespace {

struct Point {
  std::int32_t x, y;
  bool operator==(const Point&) const = default;
};

// The outer sizes of the window's two areas.
constexpr TAreaSize kNumerator{.Width = 297, .Height = 106};
constexpr TAreaSize kDenominator{.Width = 296, .Height = 106};

std::vector<Point> Presses(TRandomGenerator& generator, const std::vector<TAreaSize>& areas) {
  std::vector<Point> points;
  for (const TAreaSize area : areas) {
    const TDrawnPoint drawn = DrawAddButtonPoint(generator, area);
    points.push_back({drawn.X, drawn.Y});
  }
  return points;
}

TEST(AddButtonPoints, RepeatFromRunToRunForEachArea) {
  struct Row {
    TAreaSize area;
    std::vector<Point> firstThree;
  };
  const std::vector<Row> rows = {{kNumerator, {{4, 6}, {247, 22}, {81, 65}}},
                                 {kDenominator, {{4, 6}, {246, 22}, {80, 65}}}};
  for (const Row& row : rows) {
    TRandomGenerator generator;
    EXPECT_EQ(Presses(generator, {row.area, row.area, row.area}), row.firstThree);
  }
}

TEST(AddButtonPoints, InterleavedPressesShareOneSequence) {
  TRandomGenerator generator;
  const std::vector<Point> points =
      Presses(generator, {kNumerator, kDenominator, kNumerator, kDenominator, kDenominator});
  EXPECT_EQ(points, (std::vector<Point>{{4, 6}, {246, 22}, {81, 65}, {93, 18}, {108, 43}}));
}

TEST(AddButtonPoints, StayInsideTheRangeOfEachArea) {
  for (const TAreaSize area : {kNumerator, kDenominator, TAreaSize{.Width = 15, .Height = 15}}) {
    TRandomGenerator generator;
    for (int press = 0; press < 2000; ++press) {
      const TDrawnPoint point = DrawAddButtonPoint(generator, area);
      EXPECT_GE(point.X, 4);
      EXPECT_LT(point.X, area.Width - 10);
      EXPECT_GE(point.Y, 4);
      EXPECT_LT(point.Y, area.Height - 10);
    }
  }
}

TEST(AddButtonPoints, TheFirstPressPlacesATokenPartlyOutsideTheArea) {
  TRandomGenerator generator;
  TWorkArea work([](std::string_view) { return TTextExtent{.Width = 40, .Height = 19}; });
  const TDrawnPoint point = DrawAddButtonPoint(generator, kDenominator);
  const TTokenId id = work.PlaceToken(THolder::Denominator, point.X, point.Y, "m").value();
  EXPECT_EQ(work.Token(id)->Left, -28);
  EXPECT_EQ(work.Token(id)->Top, -2);
}

TEST(RandomGenerator, ADrawOfAnEmptyRangeGivesZeroAndStillSteps) {
  TRandomGenerator stepped;
  TRandomGenerator fresh;
  EXPECT_EQ(stepped.Draw(0), 0);
  fresh.Draw(1);
  EXPECT_EQ(stepped.Draw(1 << 30), fresh.Draw(1 << 30));
}

}  // namespace
}  // namespace calpero
