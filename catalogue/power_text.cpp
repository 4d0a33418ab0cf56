#include "catalogue/power_text.h"

#include <algorithm>
#include <array>
#include <charconv>
#include <cmath>
#include <limits>
#include <optional>
#include <system_error>

#include "catalogue/errors.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

std::string& SeparatorInForce() {
  static std::string separator = ".";
  return separator;
}

bool IsOneCharacter(std::string_view text) {
  return !text.empty() && Utf8SequenceLength(text) == text.size();
}

// The catalogue's form reads the exponent while its value is below this bound; a further digit
// refuses the text.
constexpr int kExponentBound = 500;
// The complete form reads every digit of the exponent but stops counting here: far beyond any
// exponent that a power could need, and beyond the digits that an argument can hold, so the value
// still overflows or underflows as the written exponent would make it.
constexpr int kExponentCeiling = 100'000'000;
// Significant digits taken from the double, and kept in the file.
constexpr int kDigitsTaken = 18;
constexpr std::size_t kDigitsKept = 15;
// Plain notation covers the exponents E (value = 0.d1d2... times ten to the E) in this range.
constexpr int kPlainLowest = -3;
constexpr int kPlainHighest = 15;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// The decimal digits of `number`, with "-" when negative, independent of any locale.
std::string IntegerText(int number) {
  std::array<char, 16> buffer{};
  const auto result = std::to_chars(buffer.begin(), buffer.end(), number);
  return {buffer.begin(), result.ptr};
}

std::size_t SkipSpaces(std::string_view text, std::size_t pos) {
  while (pos < text.size() && text[pos] == ' ') {
    ++pos;
  }
  return pos;
}

std::size_t SkipDigits(std::string_view text, std::size_t pos) {
  while (pos < text.size() && IsDigit(text[pos])) {
    ++pos;
  }
  return pos;
}

// What the reading of a power text took: the sign, the digit runs around the separator and the
// exponent.
struct PowerParts {
  bool Negative = false;
  std::string_view Whole;
  std::string_view Fraction;
  int Exponent = 0;
};

// Reads the exponent after "E" from `pos` in `form`; returns the position after it, or nothing
// when the complete form finds no digit.
std::optional<std::size_t> ReadExponent(std::string_view text, std::size_t pos, PowerTextForm form,
                                        int& exponent) {
  bool negative = false;
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    negative = text[pos] == '-';
    ++pos;
  }
  const std::size_t digits = pos;
  int magnitude = 0;
  while (pos < text.size() && IsDigit(text[pos]) &&
         (form == PowerTextForm::Complete || magnitude < kExponentBound)) {
    magnitude = std::min(magnitude * 10 + (text[pos] - '0'), kExponentCeiling);
    ++pos;
  }
  if (form == PowerTextForm::Complete && pos == digits) {
    return std::nullopt;
  }
  exponent = negative ? -magnitude : magnitude;
  return pos;
}

// The parts of `text`, or nothing when the text does not have the form of a power.
std::optional<PowerParts> ReadParts(std::string_view text, std::string_view separator,
                                    PowerTextForm form) {
  PowerParts parts;
  std::size_t pos = SkipSpaces(text, 0);
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    parts.Negative = text[pos] == '-';
    ++pos;
  }
  std::size_t start = pos;
  pos = SkipDigits(text, pos);
  parts.Whole = text.substr(start, pos - start);
  bool separatorTaken = false;
  if (!separator.empty() && text.substr(pos).starts_with(separator)) {
    separatorTaken = true;
    start = pos + separator.size();
    pos = SkipDigits(text, start);
    parts.Fraction = text.substr(start, pos - start);
  }
  // A lone separator counts as a number (zero); a sign alone does not.
  if (parts.Whole.empty() && !separatorTaken) {
    return std::nullopt;
  }
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    const std::optional<std::size_t> end = ReadExponent(text, pos + 1, form, parts.Exponent);
    if (!end) {
      return std::nullopt;
    }
    pos = *end;
  }
  pos = SkipSpaces(text, pos);
  if (pos != text.size()) {
    return std::nullopt;
  }
  return parts;
}

// The decimal exponent of the leading non-zero digit (the value's order of magnitude). The parts
// must hold a non-zero digit.
long LeadingExponent(const PowerParts& parts) {
  const std::size_t inWhole = parts.Whole.find_first_not_of('0');
  if (inWhole != std::string_view::npos) {
    return static_cast<long>(parts.Whole.size() - inWhole) - 1 + parts.Exponent;
  }
  const std::size_t inFraction = parts.Fraction.find_first_not_of('0');
  return parts.Exponent - static_cast<long>(inFraction) - 1;
}

// The value of the parts at extended precision: an infinity of the parts' sign when it overflows
// that range; nothing when the conversion fails otherwise.
std::optional<long double> ValueOf(const PowerParts& parts) {
  // A canonical ASCII text for a locale-independent conversion.
  std::string canonical = parts.Negative ? "-" : "";
  canonical += parts.Whole.empty() ? std::string_view("0") : parts.Whole;
  canonical += '.';
  canonical += parts.Fraction.empty() ? std::string_view("0") : parts.Fraction;
  canonical += 'e';
  canonical += IntegerText(parts.Exponent);
  long double value = 0;
  const char* end = canonical.data() + canonical.size();
  const auto [ptr, error] = std::from_chars(canonical.data(), end, value);
  if (error == std::errc::result_out_of_range) {
    // Out of range both ways; only an overflow refuses the text, an underflow is zero.
    const long double magnitude =
        LeadingExponent(parts) >= 0 ? std::numeric_limits<long double>::infinity() : 0.0L;
    return parts.Negative ? -magnitude : magnitude;
  }
  if (error != std::errc() || ptr != end) {
    return std::nullopt;
  }
  return value;
}

// The significant digits of a positive finite `magnitude`, cut to 15 with the 16th rounding half
// up and without trailing zeros, and the exponent E for which magnitude = 0.digits * 10^E.
std::string SignificantDigits(double magnitude, int& exponent) {
  std::array<char, 40> buffer{};
  const auto result = std::to_chars(buffer.begin(), buffer.end(), magnitude,
                                    std::chars_format::scientific, kDigitsTaken - 1);
  // The form is "d.ddddddddddddddddde+XX".
  const std::string_view text(buffer.data(), static_cast<std::size_t>(result.ptr - buffer.data()));
  std::string digits = std::string(1, text[0]) + std::string(text.substr(2, kDigitsTaken - 1));
  const std::size_t e = text.find('e');
  int scientific = 0;
  const std::size_t exponentDigits = text[e + 1] == '-' || text[e + 1] == '+' ? e + 2 : e + 1;
  std::from_chars(text.data() + exponentDigits, text.data() + text.size(), scientific);
  exponent = (text[e + 1] == '-' ? -scientific : scientific) + 1;

  const bool roundUp = digits[kDigitsKept] >= '5';
  digits.resize(kDigitsKept);
  if (roundUp) {
    std::size_t i = kDigitsKept;
    while (i > 0 && digits[i - 1] == '9') {
      digits[--i] = '0';
    }
    if (i == 0) {
      digits.insert(digits.begin(), '1');
      digits.pop_back();
      ++exponent;
    } else {
      ++digits[i - 1];
    }
  }
  digits.erase(digits.find_last_not_of('0') + 1);
  return digits;
}

std::string PlainNotation(const std::string& digits, int exponent, std::string_view separator) {
  if (exponent <= 0) {
    std::string text("0");
    text.append(separator).append(static_cast<std::size_t>(-exponent), '0').append(digits);
    return text;
  }
  const auto wholeLength = static_cast<std::size_t>(exponent);
  if (digits.size() <= wholeLength) {
    return digits + std::string(wholeLength - digits.size(), '0');
  }
  return digits.substr(0, wholeLength) + std::string(separator) + digits.substr(wholeLength);
}

std::string ScientificNotation(const std::string& digits, int exponent,
                               std::string_view separator) {
  std::string text(1, digits[0]);
  if (digits.size() > 1) {
    text += std::string(separator) + digits.substr(1);
  }
  text += 'E';
  const int power = exponent - 1;
  if (power < 0) {
    text += '-';
  }
  text += IntegerText(power < 0 ? -power : power);
  return text;
}

// Whether `value` rounds to a finite double: its magnitude lies below the largest double plus
// half of its last place, from where on a value rounds to infinity.
bool WithinDoubleRange(long double value) {
  constexpr long double kBeyondDouble = 0x1.fffffffffffff8p1023L;
  return std::fabs(value) < kBeyondDouble;
}

}  // namespace

const std::string& DecimalSeparator() { return SeparatorInForce(); }

void SetDecimalSeparator(std::string_view separator) {
  SeparatorInForce() = IsOneCharacter(separator) ? std::string(separator) : std::string(".");
}

ScopedDecimalSeparator::ScopedDecimalSeparator(std::string_view separator)
    : previous_(DecimalSeparator()) {
  SetDecimalSeparator(separator);
}

ScopedDecimalSeparator::~ScopedDecimalSeparator() { SetDecimalSeparator(previous_); }

long double ParsePower(std::string_view text) {
  const std::optional<PowerParts> parts =
      ReadParts(text, DecimalSeparator(), PowerTextForm::Catalogue);
  const std::optional<long double> value = parts ? ValueOf(*parts) : std::nullopt;
  if (!value || std::isinf(*value)) {
    throw EConvertError(text);
  }
  return *value;
}

double ConvertPowerText(std::string_view text, PowerRange range, PowerTextForm form) {
  long double value = 0;
  if (form == PowerTextForm::Catalogue) {
    value = ParsePower(text);
  } else {
    const std::optional<PowerParts> parts = ReadParts(text, DecimalSeparator(), form);
    const std::optional<long double> read = parts ? ValueOf(*parts) : std::nullopt;
    if (!read) {
      throw EConvertError(text);
    }
    value = *read;  // an infinity, beyond every range, is too large below
  }
  try {
    return range == PowerRange::Storable ? PowerToStorableDouble(value) : PowerToDouble(value);
  } catch (const EOverflow&) {
    throw EPowerTooLarge(text);
  }
}

std::string FormatStoredPower(double value) {
  if (value == 0) {
    return "0";
  }
  if (std::isnan(value)) {
    return "NAN";
  }
  if (std::isinf(value)) {
    return value < 0 ? "-INF" : "INF";
  }
  int exponent = 0;
  const std::string digits = SignificantDigits(std::fabs(value), exponent);
  const std::string& separator = DecimalSeparator();
  const std::string sign = value < 0 ? "-" : "";
  if (exponent >= kPlainLowest && exponent <= kPlainHighest) {
    return sign + PlainNotation(digits, exponent, separator);
  }
  return sign + ScientificNotation(digits, exponent, separator);
}

double PowerToDouble(long double value) {
  if (!WithinDoubleRange(value)) {
    throw EOverflow();
  }
  return static_cast<double>(value);
}

double PowerToStorableDouble(long double value) {
  const double power = PowerToDouble(value);
  // The stored text keeps 15 digits, rounding half up; at the very top of the range that carries
  // it past the largest double (1.7976931348623157E308 is stored as 1.79769313486232E308), and a
  // text that can never be read again must not be written.
  if (!WithinDoubleRange(ParsePower(FormatStoredPower(power)))) {
    throw EOverflow();
  }
  return power;
}

}  // namespace calpero
