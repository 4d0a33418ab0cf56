#include "catalogue/unit_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <random>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

namespace calpero {
namespace {

TEST(SortedUnitNames, IgnoresLetterCase) {
  const std::vector<std::string> names = {"volt", "Ampere", "metre", "Kelvin", "candela"};
  const std::vector<std::string> expected = {"Ampere", "candela", "Kelvin", "metre", "volt"};
  EXPECT_EQ(SortedUnitNames(names), expected);
}

TEST(SortedUnitNames, PutsNamesEqualButForCaseInByteOrder) {
  const std::vector<std::string> names = {"abc", "Abc", "ABC", "aBc"};
  const std::vector<std::string> expected = {"ABC", "Abc", "aBc", "abc"};
  EXPECT_EQ(SortedUnitNames(names), expected);
}

TEST(SortedUnitNames, KeepsDuplicatesAndShorterNamesFirst) {
  const std::vector<std::string> names = {"Gram", "g", "Gram", "gr"};
  const std::vector<std::string> expected = {"g", "gr", "Gram", "Gram"};
  EXPECT_EQ(SortedUnitNames(names), expected);
}

TEST(SortedUnitNames, SortsPunctuationBetweenUpperAndLowerCaseBeforeTheLetters) {
  // Folding to lower case keeps "_" (between "Z" and "a" in code order) before every letter.
  const std::vector<std::string> names = {"b", "_a", "A"};
  const std::vector<std::string> expected = {"_a", "A", "b"};
  EXPECT_EQ(SortedUnitNames(names), expected);
}

TEST(SortedUnitNames, SortsBytesAboveAsciiAfterAsciiAsUnsigned) {
  const std::vector<std::string> names = {"\xC3\xA9tendue", "zeta", "Alpha"};
  const std::vector<std::string> expected = {"Alpha", "zeta", "\xC3\xA9tendue"};
  EXPECT_EQ(SortedUnitNames(names), expected);
}

TEST(UnitNameLess, IsAStrictTotalOrderOnASampleOfNames) {
  const std::vector<std::string> sample = {"",  "a", "A",   "ab",   "AB", "aB",
                                           "b", "_", "a_b", "\xC3", "Z",  "z"};
  for (const auto& x : sample) {
    EXPECT_FALSE(UnitNameLess(x, x)) << x;
    for (const auto& y : sample) {
      if (x != y) {
        EXPECT_NE(UnitNameLess(x, y), UnitNameLess(y, x)) << x << " / " << y;
      }
      for (const auto& z : sample) {
        if (UnitNameLess(x, y) && UnitNameLess(y, z)) {
          EXPECT_TRUE(UnitNameLess(x, z)) << x << " < " << y << " < " << z;
        }
      }
    }
  }
}

TEST(SortedUnitNames, GivesTheSameOrderWhateverTheInputOrder) {
  std::vector<std::string> names = {"Mole", "mole", "Metre", "METRE", "mile", "Mile"};
  const auto once = SortedUnitNames(names);
  std::reverse(names.begin(), names.end());
  EXPECT_EQ(SortedUnitNames(names), once);
  std::rotate(names.begin(), names.begin() + 2, names.end());
  EXPECT_EQ(SortedUnitNames(names), once);
}

TEST(SortedUnitNames, AgreesWithSortingByUnitNameLessOnManyRandomNames) {
  // Long shared beginnings, every length around the 16 bytes that the sort looks at first, case
  // variants, NUL and bytes above ASCII, and duplicates.
  using namespace std::string_view_literals;
  constexpr std::string_view kBytes = "aAbBzZ_ \x00\x01\xC3\xFF"sv;
  std::mt19937 random(7);
  std::uniform_int_distribution<std::size_t> length(0, 20);
  std::uniform_int_distribution<std::size_t> pick(0, kBytes.size() - 1);
  std::uniform_int_distribution<int> prefix(0, 2);
  std::vector<std::string> names;
  for (int i = 0; i < 3000; ++i) {
    std::string name = prefix(random) == 0 ? "Quantity per Second " : "";
    const std::size_t start = name.size();
    name.resize(start + length(random));
    for (std::size_t at = start; at < name.size(); ++at) {
      name[at] = kBytes[pick(random)];
    }
    names.push_back(name);
    if (i % 10 == 0) {
      names.push_back(name);
    }
  }
  std::vector<std::string> expected = names;
  std::stable_sort(expected.begin(), expected.end(),
                   [](const auto& a, const auto& b) { return UnitNameLess(a, b); });
  EXPECT_EQ(SortedUnitNames(names), expected);
}

// Each reload's order, mended or sorted again, is the sort of that reload's names; a reload that
// takes one name out or puts one in says which row it was.
TEST(TUnitListOrder, EveryReloadGivesTheSortOfItsNames) {
  using Names = std::vector<std::string>;
  using Kind = TOrderChange::TKind;
  struct Reload {
    const char* change;
    Names names;
    Kind kind;
  };
  const std::vector<Reload> reloads = {
      {"the first", {"volt", "Ampere", "metre", "Abc", "abc", "volt"}, Kind::Sorted},
      {"the same again", {"volt", "Ampere", "metre", "Abc", "abc", "volt"}, Kind::None},
      {"one erased in the middle", {"volt", "Ampere", "Abc", "abc", "volt"}, Kind::Removed},
      {"one of two equal names erased", {"volt", "Ampere", "Abc", "abc"}, Kind::Removed},
      {"one erased first", {"Ampere", "Abc", "abc"}, Kind::Removed},
      {"one saved at the end", {"Ampere", "Abc", "abc", "ABC"}, Kind::Inserted},
      {"a duplicate saved", {"Ampere", "Abc", "abc", "ABC", "Abc"}, Kind::Inserted},
      {"one put in the middle", {"Ampere", "Abc", "gram", "abc", "ABC", "Abc"}, Kind::Inserted},
      {"the last erased", {"Ampere", "Abc", "gram", "abc", "ABC"}, Kind::Removed},
      {"one renamed", {"Ampere", "Abc", "Gram", "abc", "ABC"}, Kind::Sorted},
      {"two erased", {"Ampere", "abc", "ABC"}, Kind::Sorted},
      {"two saved", {"Ampere", "abc", "ABC", "x", "Y"}, Kind::Sorted},
      {"all erased", {}, Kind::Sorted},
      {"one saved into an empty catalogue", {"metre"}, Kind::Inserted},
  };
  TUnitListOrder order;
  for (const auto& [change, names, kind] : reloads) {
    const Names before = order.Sorted();
    const TOrderChange told = order.Change(names);
    order.Update(names);
    EXPECT_EQ(order.Sorted(), SortedUnitNames(names)) << change;
    EXPECT_EQ(told.Kind, kind) << change;
    // The row told is the one that the sorted names lost or gained.
    Names longer = kind == Kind::Removed ? before : order.Sorted();
    const Names& shorter = kind == Kind::Removed ? order.Sorted() : before;
    if (kind == Kind::Removed || kind == Kind::Inserted) {
      ASSERT_LT(told.Row, longer.size()) << change;
      longer.erase(longer.begin() + static_cast<std::ptrdiff_t>(told.Row));
      EXPECT_EQ(longer, shorter) << change;
    }
  }
}

}  // namespace
}  // namespace calpero
