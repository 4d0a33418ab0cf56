#pragma once

#include <string>
#include <string_view>

namespace calpero {

// The one decimal separator that every power text uses: the stored form (FormatStoredPower), the
// reading (ParsePower) and the on-screen form (FormatPower). This is the program's single place
// for it; start-up sets it from the user's locale and sets it again when the locale changes, tests
// and the command-line tool set it explicitly. It starts as ".".

// The separator in force: one character, as UTF-8 bytes.
const std::string& DecimalSeparator();

// Makes `separator` the separator in force. Takes the locale's decimal symbol as it comes and
// applies the rule: exactly one character (one UTF-8 code point) is used as it is; anything
// else, empty or longer, gives ".".
void SetDecimalSeparator(std::string_view separator);

// Sets a separator for the lifetime of the guard and puts the previous one back at its end.
class ScopedDecimalSeparator {
 public:
  explicit ScopedDecimalSeparator(std::string_view separator);
  ~ScopedDecimalSeparator();
  ScopedDecimalSeparator(const ScopedDecimalSeparator&) = delete;
  ScopedDecimalSeparator& operator=(const ScopedDecimalSeparator&) = delete;

 private:
  std::string previous_;
};

// The two text forms of a power in the catalogue file. Both use the decimal separator in force
// (DecimalSeparator()), so a file carries the separator of the locale it was written under: whole
// numbers read the same under any separator, a fraction written under another one is refused.
// Neither depends on the C library's locale.

// Reads `text` as a power: blanks (the space character only) around, one optional sign, digits
// with at most one decimal separator (at least one digit or the separator itself), then an
// optional exponent: "E" or "e", an optional sign and digits, read while the exponent is below
// 500. Returns the value at extended precision; an underflow gives 0.
// Throws EConvertError (quoting the text unchanged) when the text does not have that form or its
// value overflows the extended range.
long double ParsePower(std::string_view text);

// How a power typed by the user is read. The catalogue's form is ParsePower's, which the window's
// dialog keeps; the complete form, for a command line, asks for digits after the exponent letter
// ("1E" and "1E-" are refused) and reads every digit of the exponent, so that a long exponent
// makes the value too large, or 0, as a short one does.
enum class PowerTextForm { Catalogue, Complete };

// The range that a typed power must fall in: the double range, or the range of what the
// catalogue can store so that it reads back (PowerToStorableDouble).
enum class PowerRange { Double, Storable };

// A power typed by the user, read in `form` and converted to a double within `range`: the one
// conversion of a power field. Throws EConvertError as ParsePower does when the text does not
// have the form (in the catalogue's form also when it overflows the extended range), and
// EPowerTooLarge (quoting the text unchanged) when its value lies beyond `range`.
double ConvertPowerText(std::string_view text, PowerRange range,
                        PowerTextForm form = PowerTextForm::Catalogue);

// The text of `value` for the file: up to 15 significant digits (the 16th rounds half up), no
// trailing zeros, "0" for zero of either sign; plain notation from 0.0001 up to below 1E15,
// otherwise scientific ("1E-5", "1E15", "-2.5E-7"). Non-finite values give "INF", "-INF" or
// "NAN", which ParsePower refuses. Never throws beyond allocation failure.
std::string FormatStoredPower(double value);

// The double nearest to a parsed power: values too small for double precision come back as the
// nearest double, down to 0. Throws EOverflow when the value lies beyond the double range.
double PowerToDouble(long double value);

// The double that a parsed power is written to the file as: PowerToDouble of `value`, provided
// the text FormatStoredPower makes of it (under the separator in force) reads back within the
// double range too. Throws EOverflow when either lies beyond it.
double PowerToStorableDouble(long double value);

}  // namespace calpero
