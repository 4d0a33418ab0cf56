#include "catalogue/errors.h"

#include <gtest/gtest.h>

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
  EXPECT_EQ(EIniFileException("Unable to write to ./Data/data.ini").Message(),
            "Unable to write to ./Data/data.ini");
  EXPECT_EQ(EOverflow().Message(), "Floating point overflow");
  EXPECT_EQ(EInvalidUnitName("a]b", "a]b", "it contains ']'").Message(),
            "The unit name 'a]b' cannot be stored: it contains ']'");
}

TEST(Errors, AQuotedTextCanBeShownInAnotherFormWithTheSameWording) {
  const auto bracketed = [](std::string_view text) { return "<" + std::string(text) + ">"; };
  // The window shows the line break escaped; the reader gets the name itself to quote.
  EXPECT_EQ(EInvalidUnitName("a\nb", "a\\nb", "it holds a line break").MessageQuoting(bracketed),
            "The unit name '<a\nb>' cannot be stored: it holds a line break");
  EXPECT_EQ(EConvertError("x\x1b").MessageQuoting(bracketed),
            "'<x\x1b>' is not a valid floating point value");
  EXPECT_EQ(EPowerTooLarge("1E999").MessageQuoting(bracketed),
            "'<1E999>' is too large for a power");
  EXPECT_EQ(EOverflow().MessageQuoting(bracketed), "Floating point overflow");
}

}  // namespace
}  // namespace calpero
