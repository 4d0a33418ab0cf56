#include "app/unit_order.h"

#include <gtest/gtest.h>

#include <algorithm>
#include <string>
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

}  // namespace
}  // namespace calpero
