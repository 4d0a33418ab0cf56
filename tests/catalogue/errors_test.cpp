#include "catalogue/errors.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/power_text.h"

namespace calpero {
namespace {

using std::string_literals::operator""s;

TEST(Errors, ARefusedPowerQuotesItsWholeTextNulBytesIncluded) {
  const ScopedDecimalSeparator separator(",");
  const std::vector<std::string> texts = {"\0"s, "1\0"s,
                                          "\0"
                                          "5"s,
                                          ".\0\0\0005"s, "a\0b\0"s};
  for (const std::string& text : texts) {
    try {
      ParsePower(text);
      ADD_FAILURE() << "accepted " << text.size() << " bytes";
    } catch (const EConvertError& error) {
      EXPECT_EQ(error.Message(), "'" + text + "' is not a valid floating point value");
      EXPECT_EQ(std::string(error.what()), "'" + text.substr(0, text.find('\0')));
    }
  }
}

TEST(Errors, EachErrorCarriesItsMessage) {
  EXPECT_EQ(EIniFileException("./Data/data.ini").Message(), "Unable to write to ./Data/data.ini");
  EXPECT_EQ(EOverflow().Message(), "Floating point overflow");
  EXPECT_EQ(EInvalidUnitName("a]b", "a]b", MessageId::NameHasBracket).Message(),
            "The unit name 'a]b' cannot be stored: it contains ']'");
}

TEST(Errors, AQuotedTextCanBeShownInAnotherFormWithTheSameWording) {
  const auto bracketed = [](std::string_view text) { return "<" + std::string(text) + ">"; };
  // The window shows the line break escaped; the reader gets the name itself to quote.
  const EInvalidUnitName name("a\nb", "a\\nb", MessageId::NameHasLineBreak);
  EXPECT_EQ(name.Message(), "The unit name 'a\\nb' cannot be stored: it contains a line break");
  EXPECT_EQ(name.MessageQuoting(bracketed),
            "The unit name '<a\nb>' cannot be stored: it contains a line break");
  EXPECT_EQ(EConvertError("x\x1b").MessageQuoting(bracketed),
            "'<x\x1b>' is not a valid floating point value");
  EXPECT_EQ(EPowerTooLarge("1E999").MessageQuoting(bracketed),
            "'<1E999>' is too large for a power");
  EXPECT_EQ(EOverflow().MessageQuoting(bracketed), "Floating point overflow");
  // A path is named as it is, by the window and by a reader alike.
  EXPECT_EQ(EIniFileException("a\x1b.ini").MessageQuoting(bracketed),
            "Unable to write to a\x1b.ini");
}

// The places of a pattern are filled in one pass: a quoted text that holds "%1" or "%2" is put in
// as it is.
TEST(Errors, APlaceIsFilledWithItsTextAsItIs) {
  struct Case {
    const char* pattern;
    std::vector<std::string> texts;
    const char* filled;
  };
  const auto cases = std::to_array<Case>({
      {"The unit name '%1' cannot be stored: %2",
       {"a%2b", "c%1"},
       "The unit name 'a%2b' cannot be stored: c%1"},
      {"%2 before %1", {"one", "two"}, "two before one"},
      {"'%1' is too large", {"%"}, "'%' is too large"},
      {"100% of %1, %3 and %", {"x"}, "100% of x, %3 and %"},
      {"(%1) and (%2)", {"only"}, "(only) and ()"},
      {"Floating point overflow", {}, "Floating point overflow"},
  });
  for (const Case& c : cases) {
    EXPECT_EQ(FillPlaces(c.pattern, c.texts), c.filled) << c.pattern;
  }
  EXPECT_EQ(EInvalidUnitName("%1%2", "%1%2", MessageId::NameIsEmpty).Message(),
            "The unit name '%1%2' cannot be stored: it is empty");
}

}  // namespace
}  // namespace calpero
