#include "window/list_search.h"

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

const std::vector<std::string> kItems = {"Ampere", "Becquerel", "metre", "Mile", "Mole"};

// One key of a sequence: a character (or "\b" for backspace), the time of the press, and what
// the list should be asked to do.
struct Key {
  std::string typed;
  std::int64_t atMs;
  std::optional<std::size_t> index;
  bool click;
};

struct SequenceCase {
  const char* name;
  std::vector<std::string> items;
  std::vector<Key> keys;
};

void PrintTo(const SequenceCase& sequence, std::ostream* out) { *out << sequence.name; }

const auto kSequences = std::to_array<SequenceCase>({
    {"each_character_extends_the_prefix",
     kItems,
     {{"m", 0, 2, true}, {"i", 100, 3, true}, {"L", 200, 3, true}}},
    {"the_first_match_from_the_top_wins", kItems, {{"M", 0, 2, true}, {"o", 10, 4, true}}},
    {"a_pause_of_half_a_second_starts_a_new_prefix",
     kItems,
     {{"m", 0, 2, true}, {"b", 500, 1, true}}},
    {"a_shorter_pause_keeps_the_prefix", kItems, {{"m", 0, 2, true}, {"o", 499, 4, true}}},
    {"a_prefix_without_a_match_changes_nothing",
     kItems,
     {{"m", 0, 2, true}, {"x", 10, std::nullopt, false}}},
    {"backspace_shortens_the_prefix",
     kItems,
     {{"m", 0, 2, true}, {"o", 10, 4, true}, {"\b", 20, 2, true}}},
    {"backspace_to_the_empty_prefix_selects_the_first_item",
     kItems,
     {{"m", 0, 2, true}, {"\b", 10, 0, true}}},
    {"backspace_after_a_pause_selects_the_first_item",
     kItems,
     {{"m", 0, 2, true}, {"o", 10, 4, true}, {"\b", 600, 0, true}}},
    {"backspace_in_an_empty_list_still_counts_as_a_click", {}, {{"\b", 0, std::nullopt, true}}},
    {"typing_in_an_empty_list_does_nothing", {}, {{"a", 0, std::nullopt, false}}},
    {"backspace_removes_a_whole_multibyte_character",
     {"\xC3\xA9tendue", "\xC3\xA9x"},
     {{"\xC3\xA9", 0, 0, true}, {"x", 10, 1, true}, {"\b", 20, 0, true}, {"\b", 30, 0, true}}},
});

class TypeAheadSequence : public ::testing::TestWithParam<SequenceCase> {};

TEST_P(TypeAheadSequence, AsksTheListForTheExpectedItems) {
  TTypeAhead typeAhead;
  std::size_t step = 0;
  for (const Key& key : GetParam().keys) {
    const TTypeAheadStep result = key.typed == "\b"
                                      ? typeAhead.Backspace(key.atMs, GetParam().items)
                                      : typeAhead.Type(key.typed, key.atMs, GetParam().items);
    EXPECT_EQ(result.Index, key.index) << "key " << step;
    EXPECT_EQ(result.CountsAsClick, key.click) << "key " << step;
    ++step;
  }
}

INSTANTIATE_TEST_SUITE_P(Sequences, TypeAheadSequence, ::testing::ValuesIn(kSequences),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(TypeAhead, KeepsAnUnmatchedCharacterInThePrefix) {
  TTypeAhead typeAhead;
  typeAhead.Type("m", 0, kItems);
  typeAhead.Type("x", 10, kItems);
  EXPECT_EQ(typeAhead.Prefix(), "mx");
  EXPECT_EQ(typeAhead.Backspace(20, kItems).Index, std::optional<std::size_t>(2));
}

}  // namespace
}  // namespace calpero
