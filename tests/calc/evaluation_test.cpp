#include "calc/evaluation.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <ostream>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/power_text.h"
#include "tests/calc/fake_power_source.h"

namespace calpero {
namespace {

using testing::FakePowerSource;

TPowerVector Vector(float mass, float length, float temperature, float time) {
  return TPowerVector{{mass, length, temperature, time}};
}

// A state that no evaluation would produce, so that every value an evaluation leaves alone can
// be told from one it wrote.
TEvaluationState StaleState() {
  TEvaluationState state;
  state.NumeratorSum = Vector(7, 7, 7, 7);
  state.DenominatorSum = Vector(8, 8, 8, 8);
  state.ResultantPowers = Vector(9, 9, 9, 9);
  state.ResultRow = {"old M", "old L", "old Temp", "old Time"};
  return state;
}

class Evaluation : public ::testing::Test {
 protected:
  ScopedDecimalSeparator separator_{"."};
  FakePowerSource catalogue_{{
      {"kilogram", {1, 0, 0, 0}},
      {"joule", {1, 2, 0, -2}},
      {"force", {1, 1, 0, -2}},
      {"area", {0, 2, 0, 0}},
      {"tenth", {0.1, 0, 0, 0}},
      {"odd", {0.3, -1.25, 2.5, 1.0 / 3.0}},
      {"big", {3e38, 0, 0, 0}},
      {"nudge", {5.96046447788603E-8, 0, 0, 0}},  // just above 2^-24
  }};
};

TEST_F(Evaluation, BothAreasEmptyGiveZeroEverywhere) {
  const TAreaNames empty;
  TEvaluationState state = StaleState();
  EvaluateNumerator(empty, catalogue_, state);
  EXPECT_EQ(state.NumeratorSum, TPowerVector{});
  EXPECT_EQ(state.ResultRow, (TResultRow{"0.00", "0.00", "0.00", "0.00"}));

  state = StaleState();
  EvaluateDenominator(empty, catalogue_, state);
  EXPECT_EQ(state.DenominatorSum, TPowerVector{});
  EXPECT_EQ(state.ResultRow, (TResultRow{"0.00", "0.00", "0.00", "0.00"}));

  state = StaleState();
  EvaluateResultant(empty, catalogue_, state);
  EXPECT_EQ(state.ResultantPowers, TPowerVector{});
  EXPECT_EQ(state.ResultRow, (TResultRow{"0.00", "0.00", "0.00", "0.00"}));
}

TEST_F(Evaluation, TheSameUnitTwiceCountsTwice) {
  TEvaluationState state;
  EvaluateNumerator({.Numerator = {"joule", "joule"}, .Denominator = {}}, catalogue_, state);
  EXPECT_EQ(state.NumeratorSum, Vector(2, 4, 0, -4));
  EXPECT_EQ(state.ResultRow, (TResultRow{"2.00", "4.00", "0.00", "-4.00"}));
}

TEST_F(Evaluation, AUnitInEachAreaCancels) {
  TEvaluationState state = StaleState();
  EvaluateResultant({.Numerator = {"joule"}, .Denominator = {"joule"}}, catalogue_, state);
  EXPECT_EQ(state.NumeratorSum, Vector(1, 2, 0, -2));
  EXPECT_EQ(state.DenominatorSum, Vector(1, 2, 0, -2));
  EXPECT_EQ(state.ResultantPowers, TPowerVector{});
  EXPECT_EQ(state.ResultRow, (TResultRow{"0.00", "0.00", "0.00", "0.00"}));
}

TEST_F(Evaluation, AMissingUnitCountsAsZero) {
  TEvaluationState state;
  EvaluateNumerator({.Numerator = {"kilogram", "erased long ago", "kilogram"}, .Denominator = {}},
                    catalogue_, state);
  EXPECT_EQ(state.NumeratorSum, Vector(2, 0, 0, 0));
}

TEST_F(Evaluation, TenTenthsAreRoundedToSinglePrecisionAfterEveryToken) {
  TEvaluationState state;
  const std::vector<std::string> tenTenths(10, "tenth");
  EvaluateNumerator({.Numerator = tenTenths, .Denominator = {}}, catalogue_, state);
  // Rounding once at the end would give exactly 1.
  EXPECT_EQ(state.NumeratorSum[0], 1.0000001F);
  EXPECT_NE(state.NumeratorSum[0], 1.0F);
  EXPECT_EQ(state.ResultRow[0], "1.00");
}

TEST_F(Evaluation, EachSumIsRoundedToSinglePrecisionOnceFromExtendedPrecision) {
  TEvaluationState state;
  EvaluateNumerator({.Numerator = {"kilogram", "nudge"}, .Denominator = {}}, catalogue_, state);
  // Through double, 1 + nudge lands on the half-way point 1 + 2^-24 and rounds to even: 1.
  EXPECT_EQ(state.NumeratorSum[0], 1.0F + 0x1p-23F);
}

TEST_F(Evaluation, ForceOverAreaGivesMassOverLengthAndSquaredTime) {
  TEvaluationState state;
  EvaluateResultant({.Numerator = {"force"}, .Denominator = {"area"}}, catalogue_, state);
  EXPECT_EQ(state.ResultantPowers, Vector(1, -1, 0, -2));
  EXPECT_EQ(state.ResultRow, (TResultRow{"1.00", "-1.00", "0.00", "-2.00"}));
}

TEST_F(Evaluation, EachAreaEvaluationShowsItsSumAndKeepsTheResultant) {
  const TAreaNames areas{.Numerator = {"force"}, .Denominator = {"area"}};
  TEvaluationState state = StaleState();
  EvaluateNumerator(areas, catalogue_, state);
  EXPECT_EQ(state.ResultRow, (TResultRow{"1.00", "1.00", "0.00", "-2.00"}));
  EXPECT_EQ(state.DenominatorSum, Vector(8, 8, 8, 8));
  EXPECT_EQ(state.ResultantPowers, Vector(9, 9, 9, 9));

  EvaluateDenominator(areas, catalogue_, state);
  EXPECT_EQ(state.ResultRow, (TResultRow{"0.00", "2.00", "0.00", "0.00"}));
  EXPECT_EQ(state.NumeratorSum, Vector(1, 1, 0, -2));
  EXPECT_EQ(state.ResultantPowers, Vector(9, 9, 9, 9));
}

TEST_F(Evaluation, ReadsNameByNameInTheKeysOrder) {
  TEvaluationState state;
  EvaluateResultant({.Numerator = {"force", "area"}, .Denominator = {"odd"}}, catalogue_, state);
  std::vector<std::pair<std::string, std::string>> expected;
  for (const char* name : {"force", "area", "odd"}) {
    for (const char* key : {"Mass", "Length", "Temperature", "Time"}) {
      expected.emplace_back(name, key);
    }
  }
  EXPECT_EQ(catalogue_.Reads(), expected);
}

TEST_F(Evaluation, AnOverflowFromTheCatalogueStopsTheSumWhereItWas) {
  catalogue_.OverflowOn("joule", "Temperature");
  TEvaluationState state = StaleState();
  EXPECT_THROW(EvaluateResultant({.Numerator = {"force", "joule"}, .Denominator = {"area"}},
                                 catalogue_, state),
               EOverflow);
  // Reset, then force in full, then joule's Mass and Length.
  EXPECT_EQ(state.NumeratorSum, Vector(2, 3, 0, -2));
  EXPECT_EQ(state.ResultRow, StaleState().ResultRow);
  EXPECT_EQ(state.DenominatorSum, StaleState().DenominatorSum);
  EXPECT_EQ(state.ResultantPowers, StaleState().ResultantPowers);
}

TEST_F(Evaluation, ASumBeyondSinglePrecisionOverflowsWhenStored) {
  TEvaluationState state = StaleState();
  EXPECT_THROW(EvaluateNumerator({.Numerator = {"joule", "big", "big"}, .Denominator = {}},
                                 catalogue_, state),
               EOverflow);
  // The second "big" overflows at Mass, its first component.
  EXPECT_EQ(state.NumeratorSum, Vector(3e38F, 2, 0, -2));
  EXPECT_EQ(state.ResultRow, StaleState().ResultRow);
}

TEST_F(Evaluation, AResultantBeyondSinglePrecisionKeepsTheComponentsNotReached) {
  const FakePowerSource opposite{{{"up", {1, 3e38, 4, 0}}, {"down", {0, -3e38, 0, 5}}}};
  TEvaluationState state = StaleState();
  EXPECT_THROW(EvaluateResultant({.Numerator = {"up"}, .Denominator = {"down"}}, opposite, state),
               EOverflow);
  EXPECT_EQ(state.ResultantPowers, Vector(1, 9, 9, 9));
  // Mass shows the resultant; the rest of the row still shows the denominator.
  EXPECT_EQ(state.ResultRow, (TResultRow{"1.00", "-3E38", "0.00", "5.00"}));
}

struct BoundaryCase {
  const char* name;
  double added;
  bool overflows;
};

void PrintTo(const BoundaryCase& boundaryCase, std::ostream* out) { *out << boundaryCase.name; }

class SumAtTheTopOfSinglePrecision : public ::testing::TestWithParam<BoundaryCase> {};

TEST_P(SumAtTheTopOfSinglePrecision, OverflowsOnlyWhenItWouldNotRoundToTheLargestFloat) {
  const FakePowerSource source{
      {{"max", {static_cast<double>(FLT_MAX), 0, 0, 0}}, {"more", {GetParam().added, 0, 0, 0}}}};
  TPowerVector sum;
  TResultRow row;
  const std::vector<std::string> names{"max", "more"};
  if (GetParam().overflows) {
    EXPECT_THROW(SumArea(names, source, sum, row), EOverflow);
  } else {
    SumArea(names, source, sum, row);
    EXPECT_EQ(sum[0], FLT_MAX);
  }
}

// Half a unit in the last place of FLT_MAX is 2^103, about 1.01E31.
INSTANTIATE_TEST_SUITE_P(Boundary, SumAtTheTopOfSinglePrecision,
                         ::testing::Values(BoundaryCase{"nothing_more", 0.0, false},
                                           BoundaryCase{"less_than_half_an_ulp", 1e31, false},
                                           BoundaryCase{"more_than_half_an_ulp", 1.1e31, true},
                                           BoundaryCase{"as_much_again",
                                                        static_cast<double>(FLT_MAX), true}),
                         [](const auto& info) { return std::string(info.param.name); });

// Arrangements for the laws below, over units with inexact powers too.
const std::vector<TAreaNames> kArrangements = {
    {.Numerator = {"force"}, .Denominator = {"area"}},
    {.Numerator = {"odd", "odd", "tenth"}, .Denominator = {"joule"}},
    {.Numerator = {}, .Denominator = {"odd", "kilogram"}},
    {.Numerator = {"tenth", "tenth", "tenth"}, .Denominator = {"odd", "missing"}},
};

TEST_F(Evaluation, SwappingNumeratorAndDenominatorNegatesTheResultant) {
  for (const TAreaNames& arrangement : kArrangements) {
    TEvaluationState upright;
    TEvaluationState swapped;
    EvaluateResultant(arrangement, catalogue_, upright);
    EvaluateResultant({.Numerator = arrangement.Denominator, .Denominator = arrangement.Numerator},
                      catalogue_, swapped);
    for (std::size_t component = 0; component < 4; ++component) {
      EXPECT_EQ(swapped.ResultantPowers[component], -upright.ResultantPowers[component]);
    }
  }
}

TEST_F(Evaluation, AFractionOverItselfIsDimensionless) {
  for (const TAreaNames& arrangement : kArrangements) {
    for (const auto& side : {arrangement.Numerator, arrangement.Denominator}) {
      TEvaluationState state = StaleState();
      EvaluateResultant({.Numerator = side, .Denominator = side}, catalogue_, state);
      EXPECT_EQ(state.ResultantPowers, TPowerVector{});
      EXPECT_EQ(state.ResultRow, (TResultRow{"0.00", "0.00", "0.00", "0.00"}));
    }
  }
}

}  // namespace
}  // namespace calpero
