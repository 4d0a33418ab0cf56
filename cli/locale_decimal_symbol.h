#pragma once

#include <string>

namespace calpero {

// The decimal symbol of the user's locale as the window reads it: Qt's system locale, which
// follows the language variables (LC_ALL, then LC_NUMERIC, then LANG) whether or not the C
// library has that locale generated, so the window and the tool agree in every environment.
// As UTF-8; SetDecimalSeparator turns it into the separator in force by the window's rule.
// The process's C locale, on which nothing of ours depends, stays "C". Never throws.
std::string LocaleDecimalSymbol();

}  // namespace calpero
