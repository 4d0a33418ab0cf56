#include <gtest/gtest.h>

#include <cfloat>
#include <limits>
#include <ostream>
#include <string>
#include <vector>

#include "calc/power_vector.h"
#include "catalogue/power_text.h"

namespace calpero {
namespace {

struct FormatCase {
  const char* name;
  double value;
  const char* text;  // as shown with "." as the separator
};

void PrintTo(const FormatCase& formatCase, std::ostream* out) { *out << formatCase.name; }

// The expected texts were worked out by hand from the rules: round the exact binary value to
// seven significant digits, then that decimal to two decimals, half up.
const std::vector<FormatCase> kFormatCases = {
    {"zero", 0.0, "0.00"},
    {"negative_zero", -0.0, "0.00"},
    {"one", 1.0, "1.00"},
    {"minus_two", -2.0, "-2.00"},
    {"one_half", 0.5, "0.50"},
    {"one_third_in_single_precision", 1.0F / 3.0F, "0.33"},
    {"ten_tenths_in_single_precision", 1.0000001F, "1.00"},
    {"small_negative_rounding_to_zero_loses_its_sign", -0.001, "0.00"},
    {"negative_just_under_half_a_cent", -0.0049, "0.00"},
    {"half_a_cent_rounds_up", 0.005, "0.01"},
    {"minus_half_a_cent_rounds_away_from_zero", -0.005, "-0.01"},
    {"exact_binary_tie_rounds_up", 0.125, "0.13"},
    {"seven_digit_rounding_comes_first", 2.675, "2.68"},
    {"below_half_a_cent_after_seven_digits", 0.0049999, "0.00"},
    {"five_integer_digits", 12345.678, "12345.68"},
    {"seven_integer_digits_keep_only_seven_significant", 1234567.8, "1234568.00"},
    {"largest_fixed_value", 9999999.4, "9999999.00"},
    {"rounding_up_to_eight_digits_goes_scientific", 9999999.6, "1E7"},
    {"eight_integer_digits_go_scientific", 12345678.0, "1.234568E7"},
    {"negative_eight_digits", -12345678.0, "-1.234568E7"},
    {"scientific_drops_trailing_zeros", 1.5e8, "1.5E8"},
    {"power_of_ten", 1e8, "1E8"},
    {"largest_single", static_cast<double>(FLT_MAX), "3.402823E38"},
    {"most_negative_single", -static_cast<double>(FLT_MAX), "-3.402823E38"},
    {"smallest_single", static_cast<double>(FLT_TRUE_MIN), "0.00"},
};

class FormatPowerTable : public ::testing::TestWithParam<FormatCase> {};

TEST_P(FormatPowerTable, ShowsTheValueWithAFullStop) {
  const ScopedDecimalSeparator separator(".");
  EXPECT_EQ(FormatPower(GetParam().value), GetParam().text);
}

TEST_P(FormatPowerTable, ShowsTheValueWithACommaWhenThatIsTheSeparator) {
  const ScopedDecimalSeparator separator(",");
  std::string expected = GetParam().text;
  for (char& character : expected) {
    if (character == '.') {
      character = ',';
    }
  }
  EXPECT_EQ(FormatPower(GetParam().value), expected);
}

INSTANTIATE_TEST_SUITE_P(Values, FormatPowerTable, ::testing::ValuesIn(kFormatCases),
                         [](const auto& info) { return std::string(info.param.name); });

TEST(FormatPower, UsesASeparatorOfSeveralBytesAsItIs) {
  const ScopedDecimalSeparator separator("\u066B");  // the Arabic decimal separator
  EXPECT_EQ(FormatPower(-0.25), "-0\u066B25");
  EXPECT_EQ(FormatPower(12345678.0), "1\u066B234568E7");
}

TEST(FormatPower, NamesValuesThatAreNotNumbers) {
  EXPECT_EQ(FormatPower(std::numeric_limits<double>::quiet_NaN()), "NAN");
  EXPECT_EQ(FormatPower(std::numeric_limits<double>::infinity()), "INF");
  EXPECT_EQ(FormatPower(-std::numeric_limits<double>::infinity()), "-INF");
}

}  // namespace
}  // namespace calpero
