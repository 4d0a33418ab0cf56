#pragma once

#include <array>
#include <cstddef>
#include <string>

namespace calpero {

// Four powers in single precision, always in the order Mass, Length, Temperature, Time (the order
// of kPowerKeys).
struct TPowerVector {
  std::array<float, 4> Powers{};

  float& operator[](std::size_t index) { return Powers.at(index); }
  float operator[](std::size_t index) const { return Powers.at(index); }
  bool operator==(const TPowerVector&) const = default;
};

// Stores a higher-precision result in single precision, as every evaluation stores its sums:
// rounded once to the nearest float; a value just above the largest float that still rounds down
// to it is stored as that. Extended precision keeps the low bits of a sum that double precision
// would round away first: 1 plus a power just above 2^-24 would otherwise land on the half-way
// point between two floats and round down to 1. Throws EOverflow for a value that rounds beyond
// the single-precision range.
float StoreSingle(long double value);

// The one on-screen text of a power: fixed point with exactly two decimals after the separator
// in force (DecimalSeparator), the value first rounded to at most 7 significant digits, at least
// one digit before the separator, a leading "-" for a negative value that does not round to zero.
// A value with more than 7 digits before the point is shown in scientific form with 7
// significant digits instead. 0 gives "0.00", 0.5 gives "0.50", 1/3 gives "0.33".
// The rounding to 7 digits is made on the exact binary value; the rounding to 2 decimals is made
// on that 7-digit decimal and goes half up (0.005 gives "0.01"). The scientific form is the
// general one: the 7 digits without trailing zeros, the separator after the first digit, "E" and
// the exponent without sign or leading zeros: 12345678 gives "1.234568E7", 1E8 gives "1E8".
// Not-a-number gives "NAN" and the infinities "INF" and "-INF". Never throws (beyond allocation)
// and never depends on the C locale.
std::string FormatPower(double power);

}  // namespace calpero
