#include "cli/json_writer.h"

#include <gtest/gtest.h>

#include <charconv>
#include <limits>
#include <string>
#include <string_view>
#include <utility>

#include "cli/terminal_text.h"

namespace calpero {
namespace {

using namespace std::string_view_literals;

class JsonStringOf
    : public ::testing::TestWithParam<std::pair<std::string_view, std::string_view>> {};

TEST_P(JsonStringOf, EscapesWhatJsonRequiresKeepsValidUtf8AndOtherBytesAsLoneSurrogates) {
  EXPECT_EQ(JsonString(GetParam().first), GetParam().second);
}

// The last six: a single-byte code page name, a lone tail byte, an overlong "/", a surrogate, a
// code point beyond U+10FFFF and a cut sequence.
INSTANTIATE_TEST_SUITE_P(
    Texts, JsonStringOf,
    ::testing::Values(std::pair{""sv, R"("")"sv}, std::pair{"a\"b\\c/"sv, R"("a\"b\\c/")"sv},
                      std::pair{"\t\n\r\b\f"sv, R"("\t\n\r\b\f")"sv},
                      std::pair{"\x01\x1f\x7f\0"sv, R"("\u0001\u001f\u007f\u0000")"sv},
                      // C1 and bidirectional controls: valid, but able to mislead a terminal.
                      std::pair{"\xC2\x9B\xC2\xA0\xE2\x80\xAE\xE2\x81\xA6\xD8\x9C\xE2\x80\x8F"sv,
                                "\"\\u009b\xC2\xA0\\u202e\\u2066\\u061c\\u200f\""sv},
                      std::pair{"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80"sv,
                                "\"\xC3\xA9 \xE2\x82\xAC \xF0\x9F\x98\x80\""sv},
                      std::pair{"\xE9t\xE9"sv, R"("\udce9t\udce9")"sv},
                      std::pair{"\x80"sv, R"("\udc80")"sv},
                      std::pair{"\xC0\xAF"sv, R"("\udcc0\udcaf")"sv},
                      std::pair{"\xED\xA0\x80"sv, R"("\udced\udca0\udc80")"sv},
                      std::pair{"\xF4\x90\x80\x80"sv, R"("\udcf4\udc90\udc80\udc80")"sv},
                      std::pair{"a\xE2\x82"sv, R"("a\udce2\udc82")"sv}));

// Text output never hands a terminal a control character, and names stay tellable apart.
TEST(TerminalText, EscapesControlsInvalidBytesAndTheBackslash) {
  EXPECT_EQ(TerminalText("\x1b[2Jx\x7f\n"sv), R"(\x1b[2Jx\x7f\x0a)");
  EXPECT_EQ(TerminalText("\xC2\x9B\xC2\xA0 \xC5 a\\b \xC3\x85"sv),
            "\\u009b\xC2\xA0 \\xc5 a\\\\b \xC3\x85");
  // Bidirectional controls reorder the line; the characters beside them pass.
  EXPECT_EQ(TerminalText("a\xE2\x80\xAE"
                         "b\xE2\x80\xAA\xE2\x81\xA9\xE2\x80\x8E\xE2\x80\x90\xD8\x9C"sv),
            "a\\u202eb\\u202a\\u2069\\u200e\xE2\x80\x90\\u061c");
  EXPECT_EQ(QuotedText("\x1b]0;x\x07"sv), R"('\x1b]0;x\x07')");
  // At the edges of the printable ASCII that stands as it is.
  EXPECT_EQ(TerminalText(" Quantity 0~"sv), " Quantity 0~");
  EXPECT_EQ(TerminalText("a\\b"sv), R"(a\\b)");
  EXPECT_EQ(TerminalText("a\x1f"sv), R"(a\x1f)");
}

TEST(JsonNumber, IsTheShortestJsonTextThatReadsBackAsTheSameDouble) {
  for (const double value :
       {0.0, -2.0, 0.1, 1.0 / 3.0, 1e-5, -2.5e-7, std::numeric_limits<double>::max(),
        std::numeric_limits<double>::denorm_min()}) {
    const std::string text = JsonNumber(value);
    double back = 0;
    const auto result = std::from_chars(text.data(), text.data() + text.size(), back);
    EXPECT_EQ(result.ptr, text.data() + text.size()) << text;
    EXPECT_EQ(back, value) << text;
    EXPECT_EQ(text.find_first_not_of("0123456789.-+e"), std::string::npos) << text;
  }
}

TEST(JsonNumber, OfSinglePrecisionIsTheFloatsOwnShortestFormAndNullWhenNotFinite) {
  EXPECT_EQ(JsonNumber(0.1F), "0.1");
  EXPECT_EQ(JsonNumber(1.0F / 3.0F), "0.33333334");
  EXPECT_EQ(JsonNumber(static_cast<double>(0.1F)), "0.10000000149011612");
  EXPECT_EQ(JsonNumber(-std::numeric_limits<float>::infinity()), "null");
  EXPECT_EQ(JsonNumber(std::numeric_limits<double>::quiet_NaN()), "null");
}

TEST(JsonWriter, SeparatesMembersAndElementsWithCommasAtEveryDepth) {
  TJsonWriter json;
  json.BeginObject();
  json.Key("a");
  json.Number(1.0);
  json.Key("list");
  json.BeginArray();
  json.String("x");
  json.BeginObject();
  json.EndObject();
  json.BeginArray();
  json.EndArray();
  json.Number(2.5F);
  json.EndArray();
  json.Key("k\"");
  json.String("v");
  json.EndObject();
  EXPECT_EQ(json.Text(), R"({"a":1,"list":["x",{},[],2.5],"k\"":"v"})");
}

}  // namespace
}  // namespace calpero
