#pragma once

#include <span>
#include <string>
#include <string_view>

namespace calpero {

// The languages the program speaks besides English, its source language, as language codes.
std::span<const std::string_view> TranslatedLanguages();

// The translation that speaks to a user who prefers `uiLanguages`, best first, as the desktop
// names them ("de-DE", "fr_CA", "en", "C"): the code of the first preferred language that the
// program speaks ("de"), or "" for English. A preference names its language by the part before
// any "-", "_", "." or "@"; English, "C" and "POSIX" choose the source texts and end the search,
// so a user who puts English before German gets English. No preference spoken gives English.
std::string ChooseTranslation(std::span<const std::string> uiLanguages,
                              std::span<const std::string_view> translated);

}  // namespace calpero
