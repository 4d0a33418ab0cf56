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

std::vector<Point> Presses(TRandomGenerator& generator, const std::vector<THolder>& areas) {
  std::vector<Point> points;
  for (const THolder area : areas) {
    const TDrawnPoint drawn = DrawAddButtonPoint(generator, area);
    points.push_back({drawn.X, drawn.Y});
  }
  return points;
}

TEST(AddButtonPoints, RepeatFromRunToRunForEachArea) {
  struct Row {
    THolder area;
    std::vector<Point> firstThree;
  };
  const std::vector<Row> rows = {{THolder::Numerator, {{4, 6}, {247, 22}, {81, 65}}},
                                 {THolder::Denominator, {{4, 6}, {246, 22}, {80, 65}}}};
  for (const Row& row : rows) {
    TRandomGenerator generator;
    EXPECT_EQ(Presses(generator, {row.area, row.area, row.area}), row.firstThree);
  }
}

TEST(AddButtonPoints, InterleavedPressesShareOneSequence) {
  TRandomGenerator generator;
  const std::vector<Point> points =
      Presses(generator, {THolder::Numerator, THolder::Denominator, THolder::Numerator,
                          THolder::Denominator, THolder::Denominator});
  EXPECT_EQ(points, (std::vector<Point>{{4, 6}, {246, 22}, {81, 65}, {93, 18}, {108, 43}}));
}

TEST(AddButtonPoints, StayInsideTheRangeOfEachArea) {
  for (const THolder area : {THolder::Numerator, THolder::Denominator}) {
    const THolderGeometry geometry = TWorkArea::Geometry(area);
    TRandomGenerator generator;
    for (int press = 0; press < 2000; ++press) {
      const TDrawnPoint point = DrawAddButtonPoint(generator, area);
      EXPECT_GE(point.X, 4);
      EXPECT_LT(point.X, geometry.Width - 10);
      EXPECT_GE(point.Y, 4);
      EXPECT_LT(point.Y, geometry.Height - 10);
    }
  }
}

TEST(AddButtonPoints, TheFirstPressPlacesATokenPartlyOutsideTheArea) {
  TRandomGenerator generator;
  TWorkArea work([](std::string_view) { return TTextExtent{.Width = 40, .Height = 19}; });
  const TDrawnPoint point = DrawAddButtonPoint(generator, THolder::Denominator);
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
