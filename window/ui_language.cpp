#include "window/ui_language.h"

#include <algorithm>
#include <array>

#include "text/text_bytes.h"

namespace calpero {
namespace {

constexpr std::array<std::string_view, 2> kTranslatedLanguages = {"de", "fr"};

// The language code of a preference: "de-DE" and "de_DE.UTF-8" are both "de", in lower case.
std::string LanguageCode(std::string_view preference) {
  std::string code;
  FoldIniName(preference.substr(0, preference.find_first_of("-_.@")), code);
  return code;
}

}  // namespace

std::span<const std::string_view> TranslatedLanguages() { return kTranslatedLanguages; }

std::string ChooseTranslation(std::span<const std::string> uiLanguages,
                              std::span<const std::string_view> translated) {
  for (const std::string& preference : uiLanguages) {
    std::string code = LanguageCode(preference);
    if (code == "en" || code == "c" || code == "posix") {
      return {};
    }
    if (std::ranges::find(translated, code) != translated.end()) {
      return code;
    }
  }
  return {};
}

}  // namespace calpero
