#include "calc/power_vector.h"

#include <array>
#include <charconv>
#include <cmath>
#include <cstdint>

#include "catalogue/errors.h"
#include "catalogue/power_text.h"

namespace calpero {
namespace {

// A magnitude rounded to seven significant digits: Mantissa (1000000..9999999) times
// 10^(Exponent - 6), so that Exponent is the power of ten of the leading digit.
struct TSevenDigits {
  std::uint64_t Mantissa = 0;
  int Exponent = 0;
};

constexpr int kSignificantDigits = 7;

// Rounds a finite, non-negative value to seven significant digits. std::to_chars works on the
// exact binary value and never looks at the C locale, which the window's toolkit switches to the
// user's; its text is always "d.dddddde±xx".
TSevenDigits RoundToSevenDigits(double magnitude) {
  std::array<char, 32> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), magnitude,
                                    std::chars_format::scientific, kSignificantDigits - 1);
  TSevenDigits rounded;
  const char* cursor = buffer.data();
  for (; cursor != result.ptr && *cursor != 'e'; ++cursor) {
    if (*cursor >= '0' && *cursor <= '9') {
      rounded.Mantissa = rounded.Mantissa * 10 + static_cast<std::uint64_t>(*cursor - '0');
    }
  }
  if (cursor != result.ptr) {
    ++cursor;  // past the 'e'
    if (*cursor == '+') {
      ++cursor;
    }
    std::from_chars(cursor, result.ptr, rounded.Exponent);
  }
  return rounded;
}

std::uint64_t PowerOfTen(int exponent) {
  std::uint64_t power = 1;
  for (int i = 0; i < exponent; ++i) {
    power *= 10;
  }
  return power;
}

// The seven-digit value in hundredths, rounded half up. Only called for values below 10^7, so
// the result stays below 10^9.
std::uint64_t ToHundredths(const TSevenDigits& value) {
  // value = Mantissa * 10^(Exponent - 6), so hundredths = Mantissa * 10^(Exponent - 4).
  const int shift = value.Exponent - 4;
  if (shift >= 0) {
    return value.Mantissa * PowerOfTen(shift);
  }
  // Beyond 10^8 every mantissa is below half the divisor, so the value rounds to zero.
  if (-shift > kSignificantDigits + 1) {
    return 0;
  }
  const std::uint64_t divisor = PowerOfTen(-shift);
  const std::uint64_t remainder = value.Mantissa % divisor;
  return value.Mantissa / divisor + (remainder * 2 >= divisor ? 1 : 0);
}

std::string Digits(std::uint64_t number) {
  std::array<char, 24> buffer{};
  const auto result = std::to_chars(buffer.data(), buffer.data() + buffer.size(), number);
  return {buffer.data(), result.ptr};
}

// The general scientific form: the seven digits with trailing zeros dropped, the separator after
// the first digit when any remain, then "E" and the exponent without sign or leading zeros
// ("1.234568E7", "1E8").
std::string Scientific(TSevenDigits value) {
  while (value.Mantissa % 10 == 0 && value.Mantissa >= 10) {
    value.Mantissa /= 10;
  }
  std::string digits = Digits(value.Mantissa);
  std::string text(1, digits.front());
  if (digits.size() > 1) {
    text += DecimalSeparator() + digits.substr(1);
  }
  return text + "E" + Digits(static_cast<std::uint64_t>(value.Exponent));
}

std::string FixedTwoDecimals(std::uint64_t hundredths) {
  const std::uint64_t cents = hundredths % 100;
  return Digits(hundredths / 100) + DecimalSeparator() + (cents < 10 ? "0" : "") + Digits(cents);
}

}  // namespace

// The smallest magnitude that no longer rounds to a finite float: FLT_MAX plus half a unit in
// its last place, 2^128 - 2^103. The bound is checked before the conversion because converting an
// out-of-range value is not defined in C++.
constexpr long double kSingleOverflowBound = 0x1.ffffffp+127L;

float StoreSingle(long double value) {
  if (std::fabs(value) >= kSingleOverflowBound) {
    throw EOverflow();
  }
  return static_cast<float>(value);
}

std::string FormatPower(double power) {
  if (std::isnan(power)) {
    return "NAN";
  }
  if (std::isinf(power)) {
    return power < 0 ? "-INF" : "INF";
  }
  const TSevenDigits rounded = RoundToSevenDigits(std::fabs(power));
  const bool negative = std::signbit(power);
  if (rounded.Exponent >= kSignificantDigits) {
    return (negative ? "-" : "") + Scientific(rounded);
  }
  const std::uint64_t hundredths = ToHundredths(rounded);
  // A negative value that shows as zero is shown without its sign: never "-0.00".
  return (negative && hundredths != 0 ? "-" : "") + FixedTwoDecimals(hundredths);
}

}  // namespace calpero
