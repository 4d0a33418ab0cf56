// FormatStoredPower then ParsePower for any double (the input's first eight bytes), under both
// separators: a finite power comes back as the same number after rounding to 15 significant
// digits, so that formatting it again gives the same text; a text never reads under the other
// separator as something else; non-finite values are written as texts that are refused. A save
// refuses exactly the powers whose text would not read back.
#include <cfloat>
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <cstring>
#include <string>
#include <string_view>

#include "catalogue/errors.h"
#include "catalogue/power_text.h"
#include "fuzz/fuzz_check.h"

namespace {

using calpero::fuzz::Require;

bool RefusedForStoring(double x) {
  try {
    return calpero::PowerToStorableDouble(x) != x;
  } catch (const calpero::EOverflow&) {
    return true;
  }
}

bool Refused(const std::string& text) {
  try {
    calpero::ParsePower(text);
    return false;
  } catch (const calpero::EConvertError&) {
    return true;
  }
}

void CheckFinite(double x, std::string_view separator, std::string_view other) {
  const std::string text = calpero::FormatStoredPower(x);
  const long double parsed = calpero::ParsePower(text);
  Require(std::isfinite(parsed), "a finite power reads back as a finite number");
  double back = 0;
  try {
    back = calpero::PowerToDouble(parsed);
  } catch (const calpero::EOverflow&) {
    // Only the largest doubles round up, at 15 digits, past the largest double.
    Require(std::fabs(x) > 1.797693134862315e308, "only a rounding past the range overflows");
    Require(RefusedForStoring(x), "a power whose text would not read back is not stored");
    return;
  }
  Require(!RefusedForStoring(x), "a power whose text reads back is stored as it is");
  Require(calpero::FormatStoredPower(back) == text, "a power reads back as the same 15 digits");
  Require(x == 0 || std::signbit(back) == std::signbit(x), "a power keeps its sign");
  if (std::fabs(x) >= DBL_MIN) {
    Require(std::fabs(back - x) <= std::fabs(x) * 1e-14, "a power stays within 15 digits");
  }
  const calpero::ScopedDecimalSeparator otherSeparator(other);
  if (text.find(separator) != std::string::npos) {
    Require(Refused(text), "a fraction written under one separator is refused under another");
  } else {
    Require(calpero::ParsePower(text) == parsed, "a text without a separator reads the same");
  }
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  double x = 0;
  if (size < sizeof x) {
    return 0;
  }
  std::memcpy(&x, data, sizeof x);
  static constexpr std::string_view kSeparators[] = {".", ","};
  for (std::size_t i = 0; i < 2; ++i) {
    const calpero::ScopedDecimalSeparator separator(kSeparators[i]);
    if (std::isfinite(x)) {
      CheckFinite(x, kSeparators[i], kSeparators[1 - i]);
    } else {
      Require(Refused(calpero::FormatStoredPower(x)), "a non-finite value is never read back");
    }
  }
  return 0;
}
