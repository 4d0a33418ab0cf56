#include "window/error_text.h"

#include <gtest/gtest.h>

#include <array>
#include <string>

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

}  // namespace
}  // namespace calpero
