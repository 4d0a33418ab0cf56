// Catalogues that were hand-edited, written on another system or damaged: each fixture in
// tests/data is named after the fault it probes. Every unit that such a file holds can still be
// listed under its stored bytes, read, written and erased, and an operation on one unit never
// disturbs the bytes or the powers of another.
#include <gtest/gtest.h>

#include <algorithm>
#include <filesystem>
#include <map>
#include <optional>
#include <string>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/power_keys.h"
#include "catalogue/unit_catalogue.h"
#include "tests/catalogue/test_files.h"

namespace calpero::test {
namespace {

// The four powers of a unit, each empty for a stored number beyond the double range.
using UnitPowers = std::vector<std::optional<double>>;

UnitPowers Powers(const UnitCatalogue& catalogue, const std::string& unit) {
  UnitPowers powers;
  for (const std::string_view key : kPowerKeys) {
    try {
      powers.emplace_back(catalogue.ReadPower(unit, key));
    } catch (const EOverflow&) {
      powers.emplace_back(std::nullopt);
    }
  }
  return powers;
}

// ASCII letters folded, every other byte as it is: how the catalogue compares names.
std::string Folded(std::string name) {
  std::transform(name.begin(), name.end(), name.begin(),
                 [](char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c + 32) : c; });
  return name;
}

// The indexes of the names that are the first of their name: the units that operations address.
std::vector<std::size_t> FirstOfEachName(const Names& names) {
  std::vector<std::size_t> firsts;
  for (std::size_t i = 0; i < names.size(); ++i) {
    const auto same = [&](const std::string& n) { return Folded(n) == Folded(names[i]); };
    if (std::find_if(names.begin(), names.begin() + static_cast<long>(i), same) ==
        names.begin() + static_cast<long>(i)) {
      firsts.push_back(i);
    }
  }
  return firsts;
}

// The smallest run of `before` that, replaced by a run of `after`, turns the one into the other:
// every byte outside it is kept, in order.
struct Difference {
  std::string removed;
  std::string inserted;
};

Difference Compare(const std::string& before, const std::string& after) {
  std::size_t prefix = 0;
  while (prefix < before.size() && prefix < after.size() && before[prefix] == after[prefix]) {
    ++prefix;
  }
  std::size_t suffix = 0;
  while (suffix < before.size() - prefix && suffix < after.size() - prefix &&
         before[before.size() - 1 - suffix] == after[after.size() - 1 - suffix]) {
    ++suffix;
  }
  return {before.substr(prefix, before.size() - prefix - suffix),
          after.substr(prefix, after.size() - prefix - suffix)};
}

bool HasLineBreak(const std::string& text) {
  return text.find_first_of("\r\n") != std::string::npos;
}

// Names as Windows-1252 stores them; "\x45" and "\x65" are "E" and "e", written so that they are
// not read as part of the escape before them.
const std::string kGrosse = "Gr\xFC\xDF\x65";
const std::string kGrosseUpper = "GR\xFC\xDF\x45";
const std::string kGrosseOtherCase = "gR\xFC\xDF\x45";

class BadInputTest : public ::testing::Test {
 protected:
  UnitCatalogue FromFixture(const std::string& name) {
    WriteBytes(path_, Fixture(name));
    return UnitCatalogue(path_);
  }

  // The names of every fixture in tests/data, sorted.
  static Names AllFixtures() {
    Names names;
    for (const auto& entry : std::filesystem::directory_iterator(CALPERO_TEST_DATA_DIR)) {
      if (entry.path().extension() == ".ini") {
        names.push_back(entry.path().filename().string());
      }
    }
    std::sort(names.begin(), names.end());
    return names;
  }

  TempFolder folder_;
  std::string path_ = folder_.File("data.ini");
};

struct ExpectedUnits {
  const char* fixture;
  Names names;
  // Units and the four powers each reads as, in the order of kPowerKeys.
  std::vector<std::pair<std::string, std::vector<double>>> powers;
};

TEST_F(BadInputTest, EachFaultyFileListsAndReadsItsUnitsByTheStoredBytes) {
  using std::string_literals::operator""s;
  const std::vector<ExpectedUnits> cases = {
      {"mixed_line_ends.ini",
       {"UnitA", "UnitB", "UnitC"},
       {{"UnitA", {1, 2, 0, 0}}, {"UnitB", {3, 0, 0, 0}}, {"UnitC", {0, -1, 0, 4}}}},
      {"nul_bytes.ini",
       {"Nul\0Name"s, "UnitB", "\0"s},
       {{"Nul\0Name"s, {1, 0, 0, 0}},
        {"Nul", {0, 0, 0, 0}},
        {"UnitB", {0, 3, 0, 0}},
        {"\0"s, {0, 0, 0, 6}},
        {"", {0, 0, 0, 0}}}},
      {"invalid_utf8_names.ini",
       {"\xFF\xFE", "\xC3(", "\xED\xA0\x80", "\x80lone", "cut\xE2\x82"},
       {{"\xFF\xFE", {1, 0, 0, 0}},
        {"\xC3(", {2, 0, 0, 0}},
        {"\xED\xA0\x80", {3, 0, 0, 0}},
        {"\x80LONE", {4, 0, 0, 0}},
        {"cut\xE2\x82", {5, 0, 0, 0}},
        {"cut", {0, 0, 0, 0}}}},
      {"windows_1252_names.ini",
       {"\x80uro", kGrosse, "\x93Quoted\x94", kGrosseOtherCase},
       {{"\x80URO", {1, 0, 0, 0}},
        {kGrosseUpper, {0, 2, 0, 0}},
        {"\x93quoted\x94", {0, 0, 0, 3}},
        {"Gr\xDC\xDF\x65", {0, 0, 0, 0}}}},
      {"malformed_headers.ini",
       {"a]b", "", "[a]", "a"},
       {{"a]b", {3, 0, 0, 0}}, {"", {4, 0, 0, 0}}, {"[a]", {5, 0, 0, 0}}, {"A", {6, 0, 0, 0}}}},
      {"blanks_quotes_semicolons.ini",
       {"Unit  With Blanks", "Semi;colon", "\"Quoted\""},
       {{"unit  with blanks", {1, -2, 0, 0}},
        {"Semi;colon", {0, 0, 0, 0}},
        {"\"Quoted\"", {5, 0, 0, 0}},
        {"Quoted", {0, 0, 0, 0}}}},
      {"duplicate_sections.ini",
       {"UnitA", "UnitB", "unita", "UnitB"},
       {{"UNITA", {1, 1, 0, 0}}, {"unitb", {0.5, 0, 0, 0}}}},
      {"duplicate_keys.ini", {"UnitA"}, {{"unita", {1, 1, 0, 0}}}},
  };
  for (const ExpectedUnits& c : cases) {
    const UnitCatalogue catalogue = FromFixture(c.fixture);
    EXPECT_EQ(catalogue.ListUnits(), c.names) << c.fixture;
    for (const auto& [unit, powers] : c.powers) {
      for (std::size_t k = 0; k < kPowerKeys.size(); ++k) {
        EXPECT_EQ(catalogue.ReadPower(unit, kPowerKeys[k]), powers[k])
            << c.fixture << " '" << unit << "' " << kPowerKeys[k];
      }
    }
  }
}

TEST_F(BadInputTest, ErasingAListedNameRemovesExactlyThatUnitFromAnyFixture) {
  for (const std::string& fixture : AllFixtures()) {
    const Names names = FromFixture(fixture).ListUnits();
    std::map<std::string, UnitPowers> powersBefore;
    for (const std::size_t unit : FirstOfEachName(names)) {
      powersBefore[names[unit]] = Powers(UnitCatalogue(path_), names[unit]);
    }
    for (const std::size_t erased : FirstOfEachName(names)) {
      UnitCatalogue catalogue = FromFixture(fixture);
      catalogue.EraseUnit(names[erased]);
      Names expected = names;
      expected.erase(expected.begin() + static_cast<long>(erased));
      EXPECT_EQ(catalogue.ListUnits(), expected) << fixture << " '" << names[erased] << "'";
      const std::string after = ReadBytes(path_);
      const Difference erasure = Compare(Fixture(fixture), after);
      EXPECT_EQ(erasure.inserted, "") << fixture << " '" << names[erased] << "'";
      // Its header at least: "[", the name and "]".
      EXPECT_GE(erasure.removed.size(), names[erased].size() + 2) << fixture;
      for (const auto& [other, powers] : powersBefore) {
        if (Folded(other) != Folded(names[erased])) {
          EXPECT_EQ(Powers(catalogue, other), powers)
              << fixture << " '" << other << "' after erasing '" << names[erased] << "'";
        }
      }
    }
  }
}

TEST_F(BadInputTest, WritingAListedNameChangesOnlyThatPowerInAnyFixture) {
  for (const std::string& fixture : AllFixtures()) {
    const Names names = FromFixture(fixture).ListUnits();
    for (const std::size_t written : FirstOfEachName(names)) {
      UnitCatalogue catalogue = FromFixture(fixture);
      const UnitPowers before = Powers(catalogue, names[written]);
      catalogue.WritePower(names[written], "Time", 42.5);
      EXPECT_EQ(catalogue.ListUnits(), names) << fixture << " '" << names[written] << "'";
      EXPECT_EQ(catalogue.ReadPower(names[written], "Time"), 42.5) << fixture;
      UnitPowers powers = Powers(catalogue, names[written]);
      powers.back() = before.back();
      EXPECT_EQ(powers, before) << fixture << " '" << names[written] << "'";
      // One value replaced within its line, or one entry line added.
      const Difference edit = Compare(Fixture(fixture), ReadBytes(path_));
      EXPECT_FALSE(HasLineBreak(edit.removed)) << fixture << " '" << names[written] << "'";
      EXPECT_EQ(edit.inserted.find_first_not_of("Time=42.5\r\n"), std::string::npos)
          << fixture << " '" << names[written] << "': " << edit.inserted;
    }
  }
}

TEST_F(BadInputTest, ANewUnitIsAppendedBehindEveryByteOfAnyFixture) {
  const std::vector<std::pair<std::string_view, double>> entries = {
      {"Mass", 1}, {"Length", 2}, {"Temperature", 3}, {"Time", 4}};
  for (const std::string& fixture : AllFixtures()) {
    UnitCatalogue catalogue = FromFixture(fixture);
    Names names = catalogue.ListUnits();
    if (std::find(names.begin(), names.end(), "Fresh unit") != names.end()) {
      continue;
    }
    catalogue.WritePowers("Fresh unit", entries);
    names.emplace_back("Fresh unit");
    EXPECT_EQ(catalogue.ListUnits(), names) << fixture;
    EXPECT_EQ(Powers(catalogue, "Fresh unit"), Powers(catalogue, "FRESH UNIT")) << fixture;
    EXPECT_EQ(catalogue.ReadPower("Fresh unit", "Time"), 4) << fixture;
    EXPECT_TRUE(ReadBytes(path_).starts_with(Fixture(fixture))) << fixture;
  }
}

TEST_F(BadInputTest, ANewUnitTakesTheLineEndThatTheFileBeginsWith) {
  const std::vector<std::pair<const char*, std::string>> cases = {
      {"mixed_line_ends.ini", "[New]\r\nMass=1\r\n"},
      {"cr_line_ends.ini", "[New]\rMass=1\r"},
      {"crlf_line_ends.ini", "[New]\r\nMass=1\r\n"},
      {"bom.ini", "[New]\nMass=1\n"},
      {"nul_bytes.ini", "[New]\nMass=1\n"},
      {"windows_1252_names.ini", "[New]\r\nMass=1\r\n"},
      {"stale_temporary.ini", "\r\n[New]\r\nMass=1\r\n"},
  };
  for (const auto& [fixture, appended] : cases) {
    FromFixture(fixture).WritePower("New", "Mass", 1);
    EXPECT_EQ(ReadBytes(path_), Fixture(fixture) + appended) << fixture;
  }
}

TEST_F(BadInputTest, CaseDuplicatesAnswerWithTheFirstAndTheNextAppearsAfterAnErase) {
  UnitCatalogue catalogue = FromFixture("windows_1252_names.ini");
  EXPECT_EQ(catalogue.ReadPower(kGrosseUpper, "Length"), 2);
  catalogue.EraseUnit(kGrosseUpper);
  EXPECT_EQ(catalogue.ReadPower(kGrosseUpper, "Length"), 9);
  EXPECT_TRUE(catalogue.UnitExists(kGrosseUpper));
  catalogue.EraseUnit(kGrosseUpper);
  EXPECT_FALSE(catalogue.UnitExists(kGrosseUpper));
  EXPECT_EQ(catalogue.ListUnits(), (Names{"\x80uro", "\x93Quoted\x94"}));
}

struct LongLine {
  const char* what;
  std::string text;
  std::string unit;
  double mass;
};

TEST_F(BadInputTest, AOneMegabyteLineIsReadWholeAndNothingAfterItIsLost) {
  const std::string megabyte(std::size_t{1} << 20U, 'n');
  const std::vector<LongLine> cases = {
      {"long name", "[" + megabyte + "]\nMass=2\n[After]\nMass=3\n", megabyte, 2},
      {"long value", "[Unit]\nMass=" + std::string(megabyte.size(), '0') + "1.5\n[After]\nMass=3\n",
       "Unit", 1.5},
      {"long comment", "[Unit]\n;" + megabyte + "\nMass=4\n[After]\nMass=3\n", "Unit", 4},
      {"long junk line", "[Unit]\n" + megabyte + "\nMass=5\n[After]\nMass=3\n", "Unit", 5},
  };
  for (const LongLine& c : cases) {
    WriteBytes(path_, c.text);
    UnitCatalogue catalogue(path_);
    EXPECT_EQ(catalogue.ListUnits(), (Names{c.unit, "After"})) << c.what;
    EXPECT_EQ(catalogue.ReadPower(c.unit, "Mass"), c.mass) << c.what;
    catalogue.WritePower(c.unit, "Time", 7);
    EXPECT_EQ(catalogue.ReadPower(c.unit, "Time"), 7) << c.what;
    EXPECT_EQ(catalogue.ReadPower("After", "Mass"), 3) << c.what;
    catalogue.EraseUnit(c.unit);
    EXPECT_EQ(ReadBytes(path_), "[After]\nMass=3\n") << c.what;
  }
}

}  // namespace
}  // namespace calpero::test
