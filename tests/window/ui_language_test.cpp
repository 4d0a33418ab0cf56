#include "window/ui_language.h"

#include <gtest/gtest.h>

#include <array>
#include <string>
#include <string_view>
#include <vector>

namespace calpero {
namespace {

TEST(ChooseTranslation, TakesTheFirstPreferredLanguageSpokenOrEnglish) {
  struct Case {
    std::vector<std::string> preferences;
    const char* chosen;
  };
  const std::array<std::string_view, 2> spoken = {"de", "fr"};
  const auto cases = std::to_array<Case>({
      {{"de-DE", "de"}, "de"},
      {{"fr_CA.UTF-8"}, "fr"},
      {{"DE-AT"}, "de"},
      {{"de@euro"}, "de"},
      // Languages not spoken are passed over for the next one.
      {{"nl-NL", "fr-BE", "de"}, "fr"},
      // English, C and POSIX ask for the source texts and end the search.
      {{"en-GB", "de-DE"}, ""},
      {{"C"}, ""},
      {{"POSIX", "fr"}, ""},
      {{"nl", "es"}, ""},
      {{}, ""},
      // Only the whole language code counts.
      {{"den", "f"}, ""},
  });
  for (const Case& c : cases) {
    EXPECT_EQ(ChooseTranslation(c.preferences, spoken), c.chosen)
        << (c.preferences.empty() ? "none" : c.preferences.front());
  }
}

}  // namespace
}  // namespace calpero
