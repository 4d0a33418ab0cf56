#pragma once

#include <string>

namespace calpero {

// The decimal symbol of the user's numeric locale as the environment names it (LC_ALL, then
// LC_NUMERIC, then LANG), in the locale's own encoding. It is read through a locale object of its
// own, so the process's C locale, on which nothing of ours depends, stays "C". Empty when the
// environment names a locale that is not installed. Never throws.
// SetDecimalSeparator turns the result into the separator in force, the window's way.
std::string LocaleDecimalSymbol();

}  // namespace calpero
