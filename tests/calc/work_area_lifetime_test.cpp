#include <gtest/gtest.h>

#include <algorithm>
#include <functional>
#include <set>
#include <stdexcept>
#include <string>
#include <string_view>
#include <vector>

#include "calc/work_area.h"
#include "tests/calc/work_area_fixture.h"

namespace calpero {
namespace {

using testing::Corner;
using WorkArea = testing::WorkAreaFixture;

// Token A lies in the numerator and received two units, B and C; B was then moved to the
// denominator. D is a token of its own in the denominator.
class WorkAreaWithOwnedTokens : public WorkArea {
 protected:
  void SetUp() override {
    a_ = PlaceAt(THolder::Numerator, 10, 10, "a");
    b_ = area_.PlaceToken(a_, 0, 0, "b").value();
    c_ = area_.PlaceToken(a_, 0, 0, "c").value();
    d_ = PlaceAt(THolder::Denominator, 50, 50, "d");
    ASSERT_TRUE(area_.MoveToken(b_, THolder::Denominator, 100, 50));
  }
  TTokenId a_ = 0, b_ = 0, c_ = 0, d_ = 0;
};

TEST_F(WorkAreaWithOwnedTokens, DeletingATokenFreesWhatItOwnsWhereverThatLies) {
  ASSERT_TRUE(area_.DeleteToken(a_));
  for (const TTokenId freed : {a_, b_, c_}) {
    EXPECT_EQ(area_.Token(freed), nullptr);
  }
  EXPECT_NE(area_.Token(d_), nullptr);
  EXPECT_EQ(area_.TokenCount(), 1U);
  EXPECT_EQ(Order(THolder::Numerator), std::vector<TTokenId>{});
  EXPECT_EQ(Order(THolder::Denominator), std::vector{d_});
}

TEST_F(WorkAreaWithOwnedTokens, DeletingATokenFreesWhatItOwnsInTheTrashToo) {
  ASSERT_TRUE(area_.TrashToken(c_));
  ASSERT_TRUE(area_.DeleteToken(a_));
  EXPECT_EQ(area_.Token(c_), nullptr);
  EXPECT_EQ(Order(THolder::Trash), std::vector<TTokenId>{});
  EXPECT_EQ(area_.TokenCount(), 1U);
}

TEST_F(WorkAreaWithOwnedTokens, TrashingATokenLeavesWhatItOwnsCounting) {
  ASSERT_TRUE(area_.TrashToken(a_));
  const TUnitToken& trashed = *area_.Token(a_);
  EXPECT_FALSE(trashed.Visible);
  EXPECT_EQ(trashed.Holder, THolder::Trash);
  EXPECT_EQ(trashed.Owner, TTokenOwner{THolder::Numerator});
  EXPECT_EQ(area_.TokenCount(), 4U);
  const TAreaNames names = area_.AreaNames();
  EXPECT_EQ(names.Numerator, std::vector<std::string>{"c"});
  EXPECT_EQ(names.Denominator, (std::vector<std::string>{"d", "b"}));
  EXPECT_EQ(Order(THolder::Trash), std::vector{a_});
}

TEST_F(WorkAreaWithOwnedTokens, TrashingTwiceChangesNothingTheSecondTime) {
  ASSERT_TRUE(area_.TrashToken(d_));
  ASSERT_TRUE(area_.TrashToken(a_));
  const std::vector<TUnitToken> before = Snapshot();
  EXPECT_TRUE(area_.TrashToken(d_));
  EXPECT_EQ(Snapshot(), before);
}

TEST_F(WorkAreaWithOwnedTokens, ClearingFreesEveryTokenTrashedOnesIncluded) {
  ASSERT_TRUE(area_.TrashToken(a_));
  ASSERT_TRUE(area_.TrashToken(d_));
  area_.ClearTokens();
  EXPECT_EQ(area_.TokenCount(), 0U);
  for (const THolder holder : {THolder::Numerator, THolder::Denominator, THolder::Trash}) {
    EXPECT_TRUE(area_.TokensIn(holder).empty());
  }
  for (const TTokenId freed : {a_, b_, c_, d_}) {
    EXPECT_EQ(area_.Token(freed), nullptr);
  }
  const TAreaNames names = area_.AreaNames();
  EXPECT_TRUE(names.Numerator.empty());
  EXPECT_TRUE(names.Denominator.empty());
}

TEST_F(WorkAreaWithOwnedTokens, IdsOfFreedTokensAreNeverGivenAgain) {
  const std::set<TTokenId> old{a_, b_, c_, d_};
  ASSERT_TRUE(area_.DeleteToken(c_));
  area_.ClearTokens();
  for (int i = 0; i < 5; ++i) {
    const TTokenId fresh = area_.PlaceToken(THolder::Numerator, 0, 0, "new").value();
    EXPECT_FALSE(old.contains(fresh));
  }
}

// A three-deep chain of ownership, spread over every holder: A in the numerator, B made on A
// and moved to the denominator, C made on B (so in the denominator) and then trashed, D made on
// C before that, then moved back to the numerator. E is owned by the denominator alone.
class OwnershipChain : public WorkArea {
 protected:
  void SetUp() override {
    a_ = PlaceAt(THolder::Numerator, 5, 5, "A");
    b_ = area_.PlaceToken(a_, 0, 0, "B").value();
    ASSERT_TRUE(area_.MoveToken(b_, THolder::Denominator, 60, 60));
    c_ = area_.PlaceToken(b_, 0, 0, "C").value();
    d_ = area_.PlaceToken(c_, 0, 0, "D").value();
    e_ = PlaceAt(THolder::Denominator, 80, 10, "E");
    ASSERT_TRUE(area_.TrashToken(c_));
    ASSERT_TRUE(area_.MoveToken(d_, THolder::Numerator, 100, 20));
  }

  // Starts again from the arrangement above.
  void Rebuild() {
    area_.ClearTokens();
    SetUp();
  }

  std::set<TTokenId> Alive() const {
    std::set<TTokenId> alive;
    for (const TTokenId id : {a_, b_, c_, d_, e_}) {
      if (area_.Token(id) != nullptr) {
        alive.insert(id);
      }
    }
    return alive;
  }

 public:
  TTokenId a_ = 0, b_ = 0, c_ = 0, d_ = 0, e_ = 0;
};

TEST_F(OwnershipChain, EachTokenFreesTheRestOfTheChainBelowIt) {
  struct Row {
    const char* deleted;
    TTokenId OwnershipChain::*token;
    std::vector<TTokenId OwnershipChain::*> survivors;
  };
  using C = OwnershipChain;
  const std::vector<Row> rows = {{"A", &C::a_, {&C::e_}},
                                 {"B", &C::b_, {&C::a_, &C::e_}},
                                 {"C", &C::c_, {&C::a_, &C::b_, &C::e_}},
                                 {"D", &C::d_, {&C::a_, &C::b_, &C::c_, &C::e_}},
                                 {"E", &C::e_, {&C::a_, &C::b_, &C::c_, &C::d_}}};
  for (const Row& row : rows) {
    Rebuild();
    ASSERT_TRUE(area_.DeleteToken(this->*row.token)) << row.deleted;
    std::set<TTokenId> expected;
    for (const auto member : row.survivors) {
      expected.insert(this->*member);
    }
    EXPECT_EQ(Alive(), expected) << "deleting " << row.deleted;
    EXPECT_EQ(area_.TokenCount(), expected.size()) << "deleting " << row.deleted;
  }
}

TEST_F(OwnershipChain, FreeingIsSafeInAnyOrder) {
  using Step = std::function<void()>;
  struct Row {
    const char* what;
    std::vector<Step> steps;
  };
  const Step deleteA = [this] { area_.DeleteToken(a_); };
  const Step deleteC = [this] { area_.DeleteToken(c_); };
  const Step deleteD = [this] { area_.DeleteToken(d_); };
  const Step trashA = [this] { area_.TrashToken(a_); };
  const Step clear = [this] { area_.ClearTokens(); };
  const std::vector<Row> rows = {{"inner first, then the root", {deleteC, deleteA, deleteD}},
                                 {"root first, then what it owned", {deleteA, deleteC, deleteD}},
                                 {"trashed root deleted", {trashA, deleteA, deleteC}},
                                 {"clear after a delete", {deleteD, clear, deleteA}},
                                 {"clear twice", {trashA, clear, clear}}};
  for (const Row& row : rows) {
    Rebuild();
    for (const Step& step : row.steps) {
      step();
    }
    // Whatever is left is whole: every token still has its owner, and every listed token exists.
    std::size_t listed = 0;
    for (const THolder holder : {THolder::Numerator, THolder::Denominator, THolder::Trash}) {
      for (const TUnitToken* token : area_.TokensIn(holder)) {
        ASSERT_NE(token, nullptr) << row.what;
        ++listed;
        if (const auto* owner = std::get_if<TTokenId>(&token->Owner)) {
          EXPECT_NE(area_.Token(*owner), nullptr) << row.what;
        }
      }
    }
    EXPECT_EQ(listed, area_.TokenCount()) << row.what;
  }
}

TEST_F(OwnershipChain, DeletingAFreedTokenAgainIsRefused) {
  ASSERT_TRUE(area_.DeleteToken(b_));
  for (const TTokenId freed : {b_, c_, d_}) {
    EXPECT_FALSE(area_.DeleteToken(freed));
  }
  EXPECT_FALSE(area_.TrashToken(c_));
  EXPECT_EQ(area_.TokenCount(), 2U);
}

TEST_F(WorkArea, ATokenIsHitWithinItsRectangleAndLaterTokensLieOnTop) {
  // "abcdefghij" is 70 x 19 at (0, 0); "xyz" is 21 x 19 at (4, 4), made on the first.
  const TTokenId first = PlaceAt(THolder::Numerator, 0, 0, "abcdefghij");
  const TTokenId second = area_.PlaceToken(first, 0, 0, "xyz").value();
  const TTokenId elsewhere = PlaceAt(THolder::Denominator, 0, 0, "abcdefghij");
  struct Row {
    std::int32_t x, y;
    std::optional<TTokenId> hit;
  };
  const std::vector<Row> rows = {
      {0, 0, first},         {3, 18, first},  {4, 4, second},        {24, 22, second},
      {25, 4, first},        {69, 18, first}, {70, 5, std::nullopt}, {5, 23, std::nullopt},
      {-1, 5, std::nullopt}, {5, 19, second}};
  for (const Row& row : rows) {
    EXPECT_EQ(area_.TokenAt(THolder::Numerator, row.x, row.y), row.hit) << row.x << "," << row.y;
  }
  EXPECT_EQ(area_.TokenAt(THolder::Denominator, 10, 10), elsewhere);
  EXPECT_EQ(area_.TokenAt(THolder::Trash, 10, 10), std::nullopt);
}

TEST_F(WorkArea, ATokenThatLeavesAndComesBackIsDrawnOnTop) {
  const TTokenId first = PlaceAt(THolder::Numerator, 0, 0, "abcdefghij");
  const TTokenId second = area_.PlaceToken(first, 0, 0, "xyz").value();
  ASSERT_TRUE(area_.MoveToken(first, THolder::Numerator, 35, 9));  // moved within: still below
  EXPECT_EQ(area_.TokenAt(THolder::Numerator, 5, 5), second);
  ASSERT_TRUE(area_.MoveToken(first, THolder::Denominator, 35, 9));
  ASSERT_TRUE(area_.MoveToken(first, THolder::Numerator, 35, 9));
  EXPECT_EQ(area_.TokenAt(THolder::Numerator, 5, 5), first);
  ASSERT_TRUE(area_.TrashToken(first));
  EXPECT_EQ(area_.TokenAt(THolder::Numerator, 5, 5), second);
  EXPECT_EQ(area_.TokenAt(THolder::Numerator, 30, 5), std::nullopt);
}

TEST(WorkAreaMaking, AFailedMeasurementLeavesNoHalfMadeToken) {
  bool failing = true;
  TWorkArea area([&failing](std::string_view caption) {
    if (failing) {
      throw std::runtime_error("no font");
    }
    return TTextExtent{.Width = static_cast<std::int32_t>(caption.size()), .Height = 1};
  });
  EXPECT_THROW(area.PlaceToken(THolder::Numerator, 50, 50, "m"), std::runtime_error);
  EXPECT_EQ(area.TokenCount(), 0U);
  EXPECT_TRUE(area.TokensIn(THolder::Numerator).empty());
  failing = false;
  const TTokenId made = area.PlaceToken(THolder::Numerator, 50, 50, "m").value();
  EXPECT_EQ(area.AreaNames().Numerator, std::vector<std::string>{"m"});
  EXPECT_EQ(area.Token(made)->Caption, "m");
}

}  // namespace
}  // namespace calpero
