#include "app/prefix_search.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

#include "text/text_bytes.h"

namespace calpero {
namespace {

struct SearchCase {
  const char* name;
  std::vector<std::string> items;
  std::string prefix;
  std::ptrdiff_t start;
  std::optional<std::size_t> expected;
};

void PrintTo(const SearchCase& searchCase, std::ostream* out) { *out << searchCase.name; }

const auto kSearchCases = std::to_array<SearchCase>({
    {"a_match_after_the_start_wins_over_the_first_item", {"Metre", "Second", "Mile"}, "M", 0, 2},
    {"the_first_item_is_found_last_after_wrapping_around",
     {"Metre", "Second", "Kelvin"},
     "Me",
     0,
     0},
    {"lower_case_letters_find_upper_case_ones", {"Joule", "Watt", "WEBER"}, "we", 0, 2},
    {"upper_case_letters_find_lower_case_ones", {"joule", "watt"}, "WA", 0, 1},
    {"text_inside_a_name_but_not_at_its_start_finds_nothing",
     {"Kilogram", "Gram"},
     "ram",
     0,
     std::nullopt},
    {"a_prefix_longer_than_every_name_finds_nothing", {"g", "m"}, "gram", 0, std::nullopt},
    {"the_empty_text_finds_the_second_item", {"Ampere", "Becquerel", "Coulomb"}, "", 0, 1},
    {"the_empty_text_finds_the_only_item", {"Ampere"}, "", 0, 0},
    {"an_empty_list_finds_nothing", {}, "", 0, std::nullopt},
    {"a_start_before_the_list_searches_from_the_top", {"Metre", "Mile"}, "M", -1, 0},
    {"a_start_at_the_last_item_wraps_to_the_top_first", {"Metre", "Mile", "Mole"}, "M", 2, 0},
    {"a_start_in_the_middle_examines_the_later_items_first", {"Mile", "Mole", "Metre"}, "M", 1, 2},
    {"blanks_are_part_of_the_text", {"Newton metre", "Newton"}, "newton ", 0, 0},
    {"other_bytes_compare_exactly", {"\xC3\xA9tendue", "\xC3\x89tendue"}, "\xC3\xA9", 0, 0},
});

class SelectStringIndexTable : public ::testing::TestWithParam<SearchCase> {};

TEST_P(SelectStringIndexTable, FindsTheExpectedItem) {
  const SearchCase& c = GetParam();
  EXPECT_EQ(SelectStringIndex(c.items, c.prefix, c.start), c.expected);
}

INSTANTIATE_TEST_SUITE_P(Cases, SelectStringIndexTable, ::testing::ValuesIn(kSearchCases),
                         [](const auto& info) { return std::string(info.param.name); });

struct PrefixCase {
  const char* text;
  const char* prefix;
  bool expected;
};

TEST(StartsWithNoCase, ComparesAsciiLettersWithoutRegardToCase) {
  const auto cases = std::to_array<PrefixCase>({
      {"Metre", "metre", true},
      {"Metre", "METR", true},
      {"Metre", "", true},
      {"", "", true},
      {"Met", "Metre", false},
      {"Metre", "etre", false},
      {"[a]", "[A", true},
      {"@x", "`x", false},
      {"Z", "z", true},
  });
  for (const auto& c : cases) {
    EXPECT_EQ(StartsWithNoCase(c.text, c.prefix), c.expected) << c.text << " / " << c.prefix;
  }
}

}  // namespace
}  // namespace calpero
