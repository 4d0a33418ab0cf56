#include "calc/work_area.h"

#include <gtest/gtest.h>

#include <stdexcept>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "tests/calc/work_area_fixture.h"

namespace calpero {
namespace {

using testing::Corner;
using testing::kLineHeight;
using testing::kPixelsPerByte;
using WorkArea = testing::WorkAreaFixture;

TEST_F(WorkArea, AUnitDroppedOnAnAreaIsCentredAsA65By17BoxWhateverItsName) {
  for (const THolder holder : {THolder::Numerator, THolder::Denominator}) {
    for (const std::string name : {"m", "kilogram", "", "a unit with a long name & more"}) {
      const TTokenId id = area_.PlaceToken(holder, 100, 50, name).value();
      const TUnitToken& token = *area_.Token(id);
      EXPECT_EQ(CornerOf(id), (Corner{68, 42})) << name;
      EXPECT_EQ(token.Width, kPixelsPerByte * static_cast<std::int32_t>(name.size()));
      EXPECT_EQ(token.Height, kLineHeight);
      EXPECT_EQ(token.Caption, name);
      EXPECT_EQ(token.Hint, name);
      EXPECT_EQ(token.Holder, holder);
      EXPECT_EQ(token.Owner, TTokenOwner{holder});
      EXPECT_TRUE(token.Visible);
      EXPECT_EQ(Order(holder).back(), id);
    }
  }
}

TEST_F(WorkArea, ACornerOutsideTheAreaIsKeptAsItIs) {
  struct Row {
    std::int32_t x, y;
    Corner corner;
  };
  const std::vector<Row> rows = {
      {10, 50, {-22, 42}}, {0, 0, {-32, -8}}, {-5, 3, {-37, -5}}, {400, 200, {368, 192}}};
  for (const Row& row : rows) {
    const TTokenId id = area_.PlaceToken(THolder::Numerator, row.x, row.y, "m").value();
    EXPECT_EQ(CornerOf(id), row.corner) << row.x << "," << row.y;
  }
}

TEST_F(WorkArea, AUnitDroppedOnATokenLandsFourPixelsDownAndRightWhereverItWasDropped) {
  for (const THolder holder : {THolder::Numerator, THolder::Denominator}) {
    const TTokenId below = PlaceAt(holder, 20, 30);
    for (const Corner& drop : {Corner{0, 0}, Corner{13, 7}, Corner{500, -40}}) {
      const TTokenId id = area_.PlaceToken(below, drop.first, drop.second, "second").value();
      EXPECT_EQ(CornerOf(id), (Corner{24, 34}));
      EXPECT_EQ(area_.Token(id)->Holder, holder);
      EXPECT_EQ(area_.Token(id)->Owner, TTokenOwner{below});
      EXPECT_EQ(Order(holder).back(), id);
    }
  }
}

TEST(WorkAreaMoves, ATokenIsCentredOnTheDropPointByItsOwnSize) {
  TWorkArea area([](std::string_view) { return TTextExtent{.Width = 51, .Height = 19}; });
  const TTokenId id = area.PlaceToken(THolder::Numerator, 0, 0, "watt").value();
  struct Row {
    TDropTarget target;
    std::int32_t x, y;
    Corner corner;
  };
  // Each row starts where the one before left the token. Halves drop their remainder: 51 -> 25,
  // 19 -> 9.
  const std::vector<Row> rows = {{THolder::Numerator, 100, 50, {75, 41}},
                                 {id, 10, 5, {60, 37}},
                                 {id, 10, 5, {45, 33}},
                                 {THolder::Numerator, 10, 5, {-15, -4}},
                                 {id, 0, 0, {-40, -13}}};
  for (const Row& row : rows) {
    ASSERT_TRUE(area.MoveToken(id, row.target, row.x, row.y));
    EXPECT_EQ((Corner{area.Token(id)->Left, area.Token(id)->Top}), row.corner);
  }
}

class WorkAreaMoveCases : public WorkArea {
 protected:
  void SetUp() override {
    a_ = PlaceAt(THolder::Numerator, 10, 10, "a");
    b_ = PlaceAt(THolder::Numerator, 20, 20, "bb");
    c_ = PlaceAt(THolder::Numerator, 30, 30, "ccc");
    d_ = PlaceAt(THolder::Denominator, 15, 15, "dddd");
    e_ = PlaceAt(THolder::Denominator, 40, 60, "eeeee");
  }
  TTokenId a_ = 0, b_ = 0, c_ = 0, d_ = 0, e_ = 0;
};

TEST_F(WorkAreaMoveCases, DroppedOnItselfItStaysInItsPlaceInTheOrder) {
  ASSERT_TRUE(area_.MoveToken(a_, a_, 3, 18));
  EXPECT_EQ(CornerOf(a_), (Corner{10 + 3 - 3, 10 + 18 - 9}));
  EXPECT_EQ(Order(THolder::Numerator), (std::vector{a_, b_, c_}));
}

TEST_F(WorkAreaMoveCases, DroppedOnATokenOfItsOwnAreaItKeepsItsPlaceInTheOrder) {
  ASSERT_TRUE(area_.MoveToken(a_, c_, 99, 99));
  EXPECT_EQ(CornerOf(a_), (Corner{34, 34}));
  EXPECT_EQ(Order(THolder::Numerator), (std::vector{a_, b_, c_}));
}

TEST_F(WorkAreaMoveCases, DroppedOnATokenOfTheOtherAreaItJoinsTheEndOfThatArea) {
  ASSERT_TRUE(area_.MoveToken(a_, e_, 0, 0));
  EXPECT_EQ(CornerOf(a_), (Corner{44, 64}));
  EXPECT_EQ(area_.Token(a_)->Holder, THolder::Denominator);
  EXPECT_EQ(area_.Token(a_)->Owner, TTokenOwner{THolder::Numerator});
  EXPECT_EQ(Order(THolder::Numerator), (std::vector{b_, c_}));
  EXPECT_EQ(Order(THolder::Denominator), (std::vector{d_, e_, a_}));
}

TEST_F(WorkAreaMoveCases, DroppedOnItsOwnAreaItKeepsItsPlaceInTheOrder) {
  ASSERT_TRUE(area_.MoveToken(a_, THolder::Numerator, 200, 90));
  EXPECT_EQ(CornerOf(a_), (Corner{200 - 3, 90 - 9}));
  EXPECT_EQ(Order(THolder::Numerator), (std::vector{a_, b_, c_}));
}

TEST_F(WorkAreaMoveCases, DroppedOnTheOtherAreaItJoinsTheEndOfThatArea) {
  ASSERT_TRUE(area_.MoveToken(b_, THolder::Denominator, 100, 50));
  EXPECT_EQ(CornerOf(b_), (Corner{100 - 7, 50 - 9}));
  EXPECT_EQ(area_.Token(b_)->Owner, TTokenOwner{THolder::Numerator});
  EXPECT_EQ(Order(THolder::Numerator), (std::vector{a_, c_}));
  EXPECT_EQ(Order(THolder::Denominator), (std::vector{d_, e_, b_}));
  EXPECT_EQ(area_.AreaNames().Denominator, (std::vector<std::string>{"dddd", "eeeee", "bb"}));
}

TEST_F(WorkAreaMoveCases, MovesOfOrOntoTokensThatAreGoneOrTrashedChangeNothing) {
  ASSERT_TRUE(area_.TrashToken(d_));
  const TTokenId freed = c_;
  ASSERT_TRUE(area_.DeleteToken(freed));
  struct Row {
    const char* what;
    TTokenId token;
    TDropTarget target;
  };
  const std::vector<Row> rows = {{"a freed token", freed, THolder::Numerator},
                                 {"a trashed token", d_, THolder::Denominator},
                                 {"a trashed token onto itself", d_, d_},
                                 {"onto a freed token", a_, freed},
                                 {"onto a trashed token", a_, d_},
                                 {"onto the trash holder", a_, THolder::Trash}};
  const std::vector<TUnitToken> before = Snapshot();
  for (const Row& row : rows) {
    EXPECT_FALSE(area_.MoveToken(row.token, row.target, 5, 5)) << row.what;
    EXPECT_EQ(Snapshot(), before) << row.what;
  }
}

TEST_F(WorkAreaMoveCases, UnitsDroppedOnTokensThatAreGoneOrTrashedOrOnTheTrashAreRefused) {
  ASSERT_TRUE(area_.TrashToken(d_));
  const TTokenId freed = c_;
  ASSERT_TRUE(area_.DeleteToken(freed));
  const std::vector<TUnitToken> before = Snapshot();
  for (const TDropTarget target : {TDropTarget{freed}, TDropTarget{d_}, TDropTarget{THolder::Trash},
                                   TDropTarget{TTokenId{999}}}) {
    EXPECT_EQ(area_.PlaceToken(target, 5, 5, "x"), std::nullopt);
    EXPECT_EQ(Snapshot(), before);
  }
}

}  // namespace
}  // namespace calpero
