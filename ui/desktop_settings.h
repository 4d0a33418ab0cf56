#pragma once

#include <string>

class QLocale;

namespace calpero {

// Maps the Windows fonts that the layout names onto fonts a Linux desktop has: "Book Antiqua" to
// TeX Gyre Pagella (then P052), "MS Sans Serif" and "Tahoma" to Liberation Sans (then DejaVu
// Sans). Must run before the first widget is made.
void InstallFontSubstitutions();

// The decimal symbol of `locale` as UTF-8, as the catalogue's separator rule takes it.
std::string DecimalSymbolOf(const QLocale& locale);

// Hands the system locale's decimal symbol to the program's power texts (SetDecimalSeparator).
void ApplySystemDecimalSeparator();

}  // namespace calpero
