#include "window/error_text.h"

#include <gtest/gtest.h>

#include <array>
#include <optional>
#include <string>
#include <vector>

namespace calpero {
namespace {

TEST(EListIndexError, NamesTheIndexInItsMessage) {
  struct Case {
    int index;
    const char* message;
  };
  const auto cases = std::to_array<Case>({
      {-1, "List index out of bounds (-1)"},
      {0, "List index out of bounds (0)"},
      {2147483647, "List index out of bounds (2147483647)"},
      {-2147483647 - 1, "List index out of bounds (-2147483648)"},
  });
  for (const auto& c : cases) {
    EXPECT_EQ(EListIndexError(c.index).Message(), c.message);
  }
}

TEST(EListIndexError, IsOneOfTheProgramsOwnErrors) {
  try {
    throw EListIndexError(-1);
  } catch (const Exception& error) {
    EXPECT_EQ(error.Message(), "List index out of bounds (-1)");
  }
}

TEST(EListIndexError, ShowsWithoutAnAddedFullStop) {
  // ")" comes before "." in code order, so the error box shows the message as it is.
  EXPECT_EQ(ErrorBoxText(EListIndexError(-1).Message()), "List index out of bounds (-1)");
}

// The window finds the quoted texts of an error message by its pattern, to show the message in
// its language with the quotes put back unchanged.
TEST(MatchMessagePattern, FindsTheQuotedTextsOrRefuses) {
  using Quotes = std::optional<std::vector<std::string>>;
  struct Case {
    const char* message;
    const char* pattern;
    Quotes quotes;
  };
  const auto cases = std::to_array<Case>({
      {"Unable to write to ./Data/data.ini", "Unable to write to %1", Quotes({"./Data/data.ini"})},
      {"'' is not a valid floating point value", "'%1' is not a valid floating point value",
       Quotes({""})},
      {"'it's' is not a valid floating point value", "'%1' is not a valid floating point value",
       Quotes({"it's"})},
      {"List index out of bounds (-1)", "List index out of bounds (%1)", Quotes({"-1"})},
      {"Floating point overflow", "Floating point overflow", Quotes(std::vector<std::string>{})},
      {"The unit name 'a' cannot be stored: b' cannot be stored: it is empty",
       "The unit name '%1' cannot be stored: %2",
       Quotes({"a' cannot be stored: b", "it is empty"})},
      // Not of the pattern: another text, a text too short for both ends, a missing divider.
      {"Unable to read ./Data/data.ini", "Unable to write to %1", std::nullopt},
      {"'", "'%1' is not a valid floating point value", std::nullopt},
      {"Floating point overflow!", "Floating point overflow", std::nullopt},
      {"The unit name 'a' is bad", "The unit name '%1' cannot be stored: %2", std::nullopt},
  });
  for (const Case& c : cases) {
    EXPECT_EQ(MatchMessagePattern(c.message, c.pattern), c.quotes) << c.message;
  }
}

}  // namespace
}  // namespace calpero
