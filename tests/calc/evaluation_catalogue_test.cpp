#include <gtest/gtest.h>

#include <algorithm>
#include <fstream>
#include <memory>
#include <optional>
#include <random>
#include <string>
#include <vector>

#include "calc/evaluation.h"
#include "calc/power_matches.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/section_index.h"
#include "catalogue/unit_catalogue.h"
#include "tests/support/temp_folder.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

// The evaluations on a real catalogue file in a private temporary folder.
class EvaluationOnCatalogue : public ::testing::Test {
 protected:
  void SetUp() override {
    std::ofstream file(Path(), std::ios::binary);
    file << "[Force]\r\nMass=1\r\nLength=1\r\nTemperature=0\r\nTime=-2\r\n"
            "[area]\r\nLength=2\r\n"
            "[tenth]\r\nMass=0.1\r\n"
            "[huge]\r\nMass=1E400\r\n";
  }

  std::string Path() const { return folder_.File("data.ini"); }

  ScopedDecimalSeparator separator_{"."};
  test::TempFolder folder_;
};

TEST_F(EvaluationOnCatalogue, TheResultantComesFromTheFileByNameWhateverTheLetterCase) {
  const UnitCatalogue catalogue(Path());
  TEvaluationState state;
  EvaluateResultant({.Numerator = {"FORCE", "erased"}, .Denominator = {"area", "tenth"}}, catalogue,
                    state);
  EXPECT_EQ(state.NumeratorSum, (TPowerVector{{1, 1, 0, -2}}));
  EXPECT_EQ(state.DenominatorSum, (TPowerVector{{0.1F, 2, 0, 0}}));
  EXPECT_EQ(state.ResultantPowers, (TPowerVector{{0.9F, -1, 0, -2}}));
  EXPECT_EQ(state.ResultRow, (TResultRow{"0.90", "-1.00", "0.00", "-2.00"}));

  EvaluateNumerator({.Numerator = {"tenth"}, .Denominator = {"Force"}}, catalogue, state);
  EXPECT_EQ(state.ResultRow, (TResultRow{"0.10", "0.00", "0.00", "0.00"}));
  EvaluateDenominator({.Numerator = {"tenth"}, .Denominator = {"Force"}}, catalogue, state);
  EXPECT_EQ(state.ResultRow, (TResultRow{"1.00", "1.00", "0.00", "-2.00"}));
  EXPECT_EQ(state.ResultantPowers, (TPowerVector{{0.9F, -1, 0, -2}}));
}

TEST_F(EvaluationOnCatalogue, AStoredNumberBeyondDoubleRangeStopsTheEvaluation) {
  const UnitCatalogue catalogue(Path());
  TEvaluationState state;
  state.ResultRow = {"earlier", "earlier", "earlier", "earlier"};
  EXPECT_THROW(
      EvaluateResultant({.Numerator = {"force", "huge"}, .Denominator = {}}, catalogue, state),
      EOverflow);
  EXPECT_EQ(state.NumeratorSum, (TPowerVector{{1, 1, 0, -2}}));
  EXPECT_EQ(state.ResultRow, (TResultRow{"earlier", "earlier", "earlier", "earlier"}));
}

// A name counts by its first section, whether or not that one matches; powers compare after the
// single-precision store, and a unit that no evaluation could store matches nothing.
TEST(UnitsWithPowers, NameEachUnitOnceByItsFirstSectionInFileOrder) {
  const ScopedDecimalSeparator separator(".");
  const std::string text =
      "[Shadow]\nMass=2\n[A]\nMass=1\n[shadow]\nMass=1\n[B]\nMass=1.00000001\nLength=0\n"
      "[big]\nMass=1\nLength=1E39\n[huge]\nMass=1E400\n[C]\n mass = 1\n[a]\nMass=1\n[E]\n";
  using TNames = std::vector<std::string>;
  EXPECT_EQ(UnitsWithPowers(text, TPowerVector{{1, 0, 0, 0}}), (TNames{"A", "B", "C"}));
  EXPECT_EQ(UnitsWithPowers(text, TPowerVector{{0, 0, 0, 0}}), (TNames{"E"}));
  EXPECT_EQ(UnitsWithPowers(text, TPowerVector{{2, 0, 0, 0}}), (TNames{"Shadow"}));
}

// The refused texts that a comparison counted as 0 are named, once per unit and key that it
// compared; a section that an earlier one of its name shadows is never read, so never named.
TEST(UnitsWithPowers, NameTheRefusedTextsThatTheyCountedAsZero) {
  const ScopedDecimalSeparator separator(".");
  const std::string text =
      "[Stress]\nMass=1,5\nLength=x\nTime=2\n[Plain]\nMass=1\n[stress]\nMass=y\n"
      "[Odd]\nMass=0\nLength=1\nTime=z\n[Bad]\nMass=1e400\nLength=w\n";
  std::vector<TRefusedPower> refused;
  EXPECT_EQ(UnitsWithPowers(text, TPowerVector{{0, 0, 0, 2}}, &refused),
            std::vector<std::string>{"Stress"});
  EXPECT_EQ(refused,
            (std::vector<TRefusedPower>{{"Stress", "Mass", "1,5"}, {"Stress", "Length", "x"}}));
  refused.clear();
  UnitsWithPowers(text, TPowerVector{{0, 1, 0, 0}}, &refused);
  // Stress stops at Length, Odd compares all four keys, Bad stops at its overflow.
  EXPECT_EQ(refused,
            (std::vector<TRefusedPower>{
                {"Stress", "Mass", "1,5"}, {"Stress", "Length", "x"}, {"Odd", "Time", "z"}}));
}

// The search reads the layout that the program writes without classifying each line: on texts
// of every other layout too (blanks, quotes, letter case, empty values, repeated keys, comments,
// every line end), each unit is named exactly when its powers, read as an evaluation reads them,
// give the powers asked for.
TEST(UnitsWithPowers, AgreeWithTheEvaluationsReadingOnEveryLayoutOfEntries) {
  const ScopedDecimalSeparator separator(".");
  const std::vector<std::string> lines = {
      "Mass=1",         "Massive=3",    "mass=1",    "Mass = 1",   "Mass=\"1\"",
      "Mass='2'",       "Mass=",        "Mass=1 ",   " Mass=2",    "Mass=x",
      "Mass=-2",        "; Mass=3",     "Length=0",  "LENGTH=2",   "Length=1",
      "Length=\t-2",    "Time=-2",      "Time=0.5",  "Time=1e400", "Temperature=0",
      "TEMPERATURE =1", "Temperature=", "Time='-2'", "junk",       ""};
  const std::vector<std::string> lineEnds = {"\n", "\r\n", "\r"};
  std::mt19937 random(1234);
  for (int round = 0; round < 200; ++round) {
    std::string text;
    std::vector<std::string> names;
    for (int unit = 0; unit < 8; ++unit) {
      names.push_back((random() % 4 == 0 ? "u" : "U") + std::to_string(random() % 6));
      text += "[" + names.back() + "]" + lineEnds[random() % lineEnds.size()];
      for (std::size_t line = random() % 6; line > 0; --line) {
        text += lines[random() % lines.size()] + lineEnds[random() % lineEnds.size()];
      }
    }
    const CatalogueReading reading(std::make_shared<const CatalogueText>(text), names);
    std::vector<std::optional<TPowerVector>> powers;
    for (const std::string& name : names) {
      try {
        TPowerVector unit{};
        for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
          unit[i] = StoreSingle(reading.ReadPower(name, kPowerKeys.at(i)));
        }
        powers.emplace_back(unit);
      } catch (const EOverflow&) {
        powers.emplace_back();  // no evaluation could store it: it matches nothing
      }
    }
    for (const std::optional<TPowerVector>& wanted : powers) {
      const TPowerVector asked = wanted.value_or(TPowerVector{});
      std::vector<std::string> expected;
      for (std::size_t i = 0; i < names.size(); ++i) {
        const bool first =
            std::none_of(names.begin(), names.begin() + static_cast<long>(i),
                         [&](const std::string& n) { return SameIniName(n, names[i]); });
        if (first && powers[i] == asked) {
          expected.push_back(names[i]);
        }
      }
      EXPECT_EQ(UnitsWithPowers(text, asked), expected) << text;
      // A reading remembers the search, and an erase carries it over where no other section
      // has the erased name: each erase must answer as a search of the erased text does.
      const CatalogueText reading(text);
      EXPECT_EQ(UnitsWithPowers(reading, asked), expected) << text;
      EXPECT_EQ(UnitsWithPowers(reading, asked), expected) << text;
      for (const std::string& name : names) {
        const std::shared_ptr<const CatalogueText> erased =
            reading.WithErased(*SectionIndex(text).Erase(name));
        EXPECT_EQ(UnitsWithPowers(*erased, asked), UnitsWithPowers(erased->Text(), asked))
            << text << "\nerasing " << name;
      }
    }
  }
}

// A remembered search holds only for the decimal separator that it read the texts with.
TEST(UnitsWithPowers, AreSearchedAgainUnderAnotherDecimalSeparator) {
  const CatalogueText reading("[Half]\nTime=0.5\n[Comma]\nTime=0,5\n");
  const TPowerVector half{{0, 0, 0, 0.5}};
  for (const auto& [separator, named] : {std::pair{".", "Half"}, std::pair{",", "Comma"}}) {
    const ScopedDecimalSeparator scoped(separator);
    EXPECT_EQ(UnitsWithPowers(reading, half), std::vector<std::string>{named}) << separator;
  }
}

}  // namespace
}  // namespace calpero
