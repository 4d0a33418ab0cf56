#include "catalogue/power_text.h"

#include <gtest/gtest.h>

#include <cfloat>
#include <cmath>
#include <random>
#include <string>
#include <utility>
#include <vector>

#include "catalogue/errors.h"

namespace calpero {
namespace {

// `text` with every `placeholder` replaced by `replacement`.
std::string Substitute(std::string text, std::string_view placeholder,
                       std::string_view replacement) {
  for (std::size_t at = text.find(placeholder); at != std::string::npos;
       at = text.find(placeholder, at + replacement.size())) {
    text.replace(at, placeholder.size(), replacement);
  }
  return text;
}

// Case texts are written with "{s}" where the separator in force goes, so that one table serves
// every separator.
std::string WithSeparator(const std::string& text, const std::string& separator) {
  return Substitute(text, "{s}", separator);
}

// The separators that every table runs under; the last is one character of two bytes.
const std::vector<std::string> kSeparators = {".", ",", "\xD9\xAB"};

struct Accepted {
  const char* text;
  long double expected;
};

TEST(ParsePower, AcceptsEveryFormOfANumberUnderEachSeparator) {
  const std::vector<Accepted> cases = {
      {" 1{s}5 ", 1.5L},      {"1{s}5e2", 150.0L},
      {"+2", 2.0L},           {"1{s}", 1.0L},
      {"{s}5", 0.5L},         {"{s}", 0.0L},
      {"-{s}", 0.0L},         {"1E", 1.0L},
      {"1E-3", 0.001L},       {"-2{s}5E+2", -250.0L},
      {"-5E-1", -0.5L},       {"25E-2", 0.25L},
      {"0001{s}2500", 1.25L}, {"1e0000000001", 10.0L},
      {"7E-4999", 0.0L},      {"1E4932", 1E4932L},
      {"-1{s}1E-4940", 0.0L}, {"123456789012345678901234567890", 123456789012345678901234567890.0L},
  };
  for (const std::string& separator : kSeparators) {
    const ScopedDecimalSeparator scoped(separator);
    for (const Accepted& c : cases) {
      const std::string text = WithSeparator(c.text, separator);
      EXPECT_EQ(ParsePower(text), c.expected) << "'" << text << "' under '" << separator << "'";
    }
  }
}

TEST(ParsePower, RefusesWhatIsNotANumberNamingTheWholeText) {
  // "{o}" stands for a separator that is not the one in force.
  const std::vector<const char*> cases = {
      "",     "-",    "E5",  "abc",    "1{o}5",   "1 000",  "1{s}5{s}2",   "\t2",
      "2\t",  "+-1",  "- 1", "1E5000", "1E-5000", "1E4933", "-1{s}2E4932", "1E+-2",
      "1e5e", "0x10", "inf", "nan",    "1{s}5 x", "{s}{s}"};
  for (const std::string& separator : kSeparators) {
    const ScopedDecimalSeparator scoped(separator);
    const std::string other = separator == "," ? "." : ",";
    for (const char* pattern : cases) {
      const std::string text = WithSeparator(Substitute(pattern, "{o}", other), separator);
      try {
        ParsePower(text);
        ADD_FAILURE() << "'" << text << "' accepted under '" << separator << "'";
      } catch (const EConvertError& error) {
        EXPECT_EQ(error.Message(), "'" + text + "' is not a valid floating point value");
      }
    }
  }
}

TEST(ParsePower, RefusesHalfOfATwoByteSeparator) {
  const ScopedDecimalSeparator scoped("\xD9\xAB");
  EXPECT_THROW(ParsePower("1\xD9"), EConvertError);
  EXPECT_THROW(ParsePower("1\xD9"
                          "5"),
               EConvertError);
}

TEST(DecimalSeparator, TakesOneWellFormedCharacterAndFallsBackToAPointOtherwise) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {",", ","},
      {"\xD9\xAB", "\xD9\xAB"},
      {"\xE2\x80\xA4", "\xE2\x80\xA4"},
      {"", "."},
      {",,", "."},
      {"\xD9", "."},
      {"\xC0\xAE", "."},
      {"\xED\xA0\x80", "."},
      {"\xE2\x80", "."},
  };
  for (const auto& [asked, used] : cases) {
    const ScopedDecimalSeparator scoped(asked);
    EXPECT_EQ(DecimalSeparator(), used) << asked;
  }
}

struct Written {
  double value;
  const char* text;
};

TEST(FormatStoredPower, WritesFifteenDigitsInPlainOrScientificFormUnderEachSeparator) {
  const std::vector<Written> cases = {
      {2, "2"},
      {-0.5, "-0{s}5"},
      {0.0001, "0{s}0001"},
      {0.00001, "1E-5"},
      {123456789012345, "123456789012345"},
      {1e15, "1E15"},
      {1.0 / 3, "0{s}333333333333333"},
      {2.0 / 3, "0{s}666666666666667"},
      {0.0, "0"},
      {-0.0, "0"},
      {100, "100"},
      {1.5, "1{s}5"},
      {-2.5e-7, "-2{s}5E-7"},
      {0.1 + 0.2, "0{s}3"},
      {999999999999999.5, "1E15"},
      {0.000099999, "9{s}9999E-5"},
      {12345.678, "12345{s}678"},
      {1e300, "1E300"},
      {DBL_MAX, "1{s}79769313486232E308"},
      {4.9406564584124654e-324, "4{s}94065645841247E-324"},
  };
  for (const std::string& separator : kSeparators) {
    const ScopedDecimalSeparator scoped(separator);
    for (const Written& c : cases) {
      EXPECT_EQ(FormatStoredPower(c.value), WithSeparator(c.text, separator)) << c.value;
    }
  }
}

TEST(FormatStoredPower, WritesNonFiniteValuesAsTextsThatReadAsRefused) {
  EXPECT_EQ(FormatStoredPower(INFINITY), "INF");
  EXPECT_EQ(FormatStoredPower(-INFINITY), "-INF");
  EXPECT_EQ(FormatStoredPower(NAN), "NAN");
  for (const char* text : {"INF", "-INF", "NAN"}) {
    EXPECT_THROW(ParsePower(text), EConvertError);
  }
}

// A typed power of at most 15 significant digits is stored in its shortest form and reads back
// as the same double.
TEST(StoredPowers, KeepTypedPowersOfFifteenDigits) {
  const std::vector<std::pair<const char*, const char*>> cases = {
      {"+1{s}50", "1{s}5"},
      {"1{s}5e2", "150"},
      {"0{s}000123", "0{s}000123"},
      {"-9{s}99999999999999E-300", "-9{s}99999999999999E-300"},
      {"1e15", "1E15"},
      {"123456789012345", "123456789012345"},
      {"0{s}1", "0{s}1"},
      {"5E-324", "4{s}94065645841247E-324"},
  };
  for (const std::string& separator : kSeparators) {
    const ScopedDecimalSeparator scoped(separator);
    for (const auto& [typed, stored] : cases) {
      const double value = PowerToDouble(ParsePower(WithSeparator(typed, separator)));
      const std::string text = FormatStoredPower(value);
      EXPECT_EQ(text, WithSeparator(stored, separator));
      EXPECT_EQ(PowerToDouble(ParsePower(text)), value) << text;
    }
  }
}

// The digits of a text without sign, separator, exponent and zeros at either end.
std::string SignificantDigitsOf(const std::string& text) {
  std::string digits;
  for (const char c : text.substr(0, text.find('E'))) {
    if (c >= '0' && c <= '9') {
      digits += c;
    }
  }
  digits.erase(0, digits.find_first_not_of('0'));
  digits.erase(digits.find_last_not_of('0') + 1);
  return digits;
}

TEST(StoredPowers, RandomTypedPowersKeepTheirDigitsAndValue) {
  std::mt19937_64 random(20240611);
  std::uniform_int_distribution<int> length(1, 15);
  std::uniform_int_distribution<int> digit(0, 9);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (const std::string& separator : {std::string("."), std::string(",")}) {
    const ScopedDecimalSeparator scoped(separator);
    for (int i = 0; i < 20000; ++i) {
      std::string digits(1, static_cast<char>('1' + digit(random) % 9));
      for (int n = length(random); n > 1; --n) {
        digits += static_cast<char>('0' + digit(random));
      }
      const std::string typed = digits.substr(0, 1) + separator + digits.substr(1) + "E" +
                                std::to_string(exponent(random));
      const double value = PowerToDouble(ParsePower(typed));
      const std::string stored = FormatStoredPower(value);
      ASSERT_EQ(SignificantDigitsOf(stored), SignificantDigitsOf(typed)) << typed;
      ASSERT_EQ(PowerToDouble(ParsePower(stored)), value) << typed << " stored as " << stored;
    }
  }
}

TEST(StoredPowers, AnyDoubleReadsBackWithinFifteenDigits) {
  std::mt19937_64 random(7);
  std::uniform_real_distribution<double> mantissa(-10, 10);
  std::uniform_int_distribution<int> exponent(-300, 300);
  for (int i = 0; i < 20000; ++i) {
    const double value = std::ldexp(mantissa(random), exponent(random));
    const double back = PowerToDouble(ParsePower(FormatStoredPower(value)));
    ASSERT_LE(std::fabs(back - value), std::fabs(value) * 5e-15) << value;
  }
}

TEST(PowerToDouble, RefusesValuesBeyondDoubleRangeAndFlushesTinyOnesToZero) {
  EXPECT_THROW(PowerToDouble(1E400L), EOverflow);
  EXPECT_THROW(PowerToDouble(-1E400L), EOverflow);
  // Halfway between the largest double and the next power of two rounds up to infinity.
  EXPECT_THROW(PowerToDouble(0x1.fffffffffffff8p1023L), EOverflow);
  EXPECT_EQ(PowerToDouble(0x1.fffffffffffff7fep1023L), DBL_MAX);
  EXPECT_EQ(PowerToDouble(1E-400L), 0.0);
  EXPECT_EQ(PowerToDouble(3E-324L), 4.9406564584124654e-324);
  try {
    PowerToDouble(1E309L);
    ADD_FAILURE() << "1E309 accepted";
  } catch (const EOverflow& error) {
    EXPECT_EQ(error.Message(), "Floating point overflow");
  }
}

// The one conversion of a typed power: the catalogue's form is ParsePower's, the complete form
// refuses an exponent without digits and reads a long exponent as a short one; either refuses a
// value beyond the range asked for as too large, quoting the text.
TEST(ConvertPowerText, ReadsEachFormWithinTheRangeAskedFor) {
  enum class Outcome { Value, NotANumber, TooLarge };
  struct Case {
    const char* text;
    PowerRange range;
    PowerTextForm form;
    Outcome outcome;
    double value;
  };
  constexpr auto kDouble = PowerRange::Double;
  constexpr auto kStorable = PowerRange::Storable;
  constexpr auto kCatalogue = PowerTextForm::Catalogue;
  constexpr auto kComplete = PowerTextForm::Complete;
  const std::vector<Case> cases = {
      {" 1.5 ", kStorable, kCatalogue, Outcome::Value, 1.5},
      {"1E", kStorable, kCatalogue, Outcome::Value, 1},
      {"1E", kDouble, kComplete, Outcome::NotANumber, 0},
      {"1e+", kDouble, kComplete, Outcome::NotANumber, 0},
      {"1E-", kStorable, kComplete, Outcome::NotANumber, 0},
      {"-2.5E+2", kDouble, kComplete, Outcome::Value, -250},
      {"1E5000", kStorable, kCatalogue, Outcome::NotANumber, 0},
      {"1E5000", kDouble, kComplete, Outcome::TooLarge, 0},
      {"-1E4933", kDouble, kComplete, Outcome::TooLarge, 0},
      {"1E999", kDouble, kCatalogue, Outcome::TooLarge, 0},
      {"1E-5000", kStorable, kCatalogue, Outcome::NotANumber, 0},
      {"1E-5000", kStorable, kComplete, Outcome::Value, 0},
      {"0E99999999999", kDouble, kComplete, Outcome::Value, 0},
      {"1.7976931348623157E308", kDouble, kComplete, Outcome::Value, DBL_MAX},
      {"1.7976931348623157E308", kStorable, kComplete, Outcome::TooLarge, 0},
      {"abc", kDouble, kComplete, Outcome::NotANumber, 0},
  };
  const ScopedDecimalSeparator scoped(".");
  for (const Case& c : cases) {
    const std::string text = c.text;
    try {
      const double value = ConvertPowerText(text, c.range, c.form);
      EXPECT_EQ(c.outcome, Outcome::Value) << text;
      EXPECT_EQ(value, c.value) << text;
    } catch (const EConvertError& error) {
      EXPECT_EQ(c.outcome, Outcome::NotANumber) << text;
      EXPECT_EQ(error.Message(), "'" + text + "' is not a valid floating point value");
    } catch (const EPowerTooLarge& error) {
      EXPECT_EQ(c.outcome, Outcome::TooLarge) << text;
      EXPECT_EQ(error.Message(), "'" + text + "' is too large for a power");
    }
  }
}

}  // namespace
}  // namespace calpero
