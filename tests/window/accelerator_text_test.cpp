#include "window/accelerator_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <vector>

#include "window/hint_text.h"

namespace calpero {
namespace {

struct RunsCase {
  const char* name;
  const char* caption;
  std::vector<TTextRun> runs;
};

void PrintTo(const RunsCase& c, std::ostream* out) { *out << c.name; }

const auto kRunsCases = std::to_array<RunsCase>({
    {"plain_text_is_one_run", "Newton", {{"Newton", false}}},
    {"an_empty_caption_draws_nothing", "", {}},
    {"a_single_ampersand_underlines_the_next_character",
     "&Newton",
     {{"N", true}, {"ewton", false}}},
    {"an_ampersand_inside_underlines_its_follower",
     "Kilo&gram",
     {{"Kilo", false}, {"g", true}, {"ram", false}}},
    {"a_doubled_ampersand_draws_one", "R&&D", {{"R&D", false}}},
    {"a_lone_ampersand_at_the_end_is_not_drawn", "Watt&", {{"Watt", false}}},
    {"three_ampersands_draw_one_and_underline", "a&&&b", {{"a&", false}, {"b", true}}},
    {"an_underlined_ampersand_is_drawn_underlined", "&&&&", {{"&&", false}}},
    {"two_single_ampersands_underline_two_characters", "&a&b", {{"ab", true}}},
    {"a_multibyte_character_is_underlined_whole",
     "&\xC3\xA9t\xC3\xA9",
     {{"\xC3\xA9", true}, {"t\xC3\xA9", false}}},
    {"a_cut_multibyte_sequence_underlines_its_first_byte",
     "&\xE2\x82",
     {{"\xE2", true}, {"\x82", false}}},
    {"only_ampersands_pairs", "&&", {{"&", false}}},
    {"only_one_ampersand", "&", {}},
});

class AcceleratorRunsTable : public ::testing::TestWithParam<RunsCase> {};

TEST_P(AcceleratorRunsTable, SplitsTheCaptionAsItIsDrawn) {
  EXPECT_EQ(AcceleratorRuns(GetParam().caption), GetParam().runs);
}

INSTANTIATE_TEST_SUITE_P(Cases, AcceleratorRunsTable, ::testing::ValuesIn(kRunsCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(StatusBarPart, ShowsWhatFollowsTheFirstBar) {
  struct Case {
    const char* hint;
    const char* shown;
  };
  const auto cases = std::to_array<Case>({
      {"Available units", "Available units"},
      {"Short|Long hint", "Long hint"},
      {"a|b|c", "b|c"},
      {"|only long", "only long"},
      {"short only|", ""},
      {"", ""},
  });
  for (const auto& c : cases) {
    EXPECT_EQ(StatusBarPart(c.hint), c.shown) << c.hint;
  }
}

}  // namespace
}  // namespace calpero
