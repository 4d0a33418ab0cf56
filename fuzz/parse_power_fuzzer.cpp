// ParsePower on any text, under one of three decimal separators (the first byte picks it; the rest
// is the text). Checked against a reference reading of the grammar written here independently: a
// text of the form of a power is accepted unless its value lies beyond the extended range, a text
// of any other form is refused, and a refusal carries the whole text in its message.
#include <cmath>
#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

#include "catalogue/errors.h"
#include "catalogue/power_text.h"
#include "fuzz/fuzz_check.h"

namespace {

using calpero::fuzz::Require;

// The decimal order of magnitude of the largest extended-precision value (about 1.19E4932).
constexpr long kLargestOrder = 4932;
// The exponent after "E" is read while it is below this.
constexpr int kExponentBound = 500;

bool IsDigit(char c) { return c >= '0' && c <= '9'; }

// What the reference reading found in a text of the form of a power.
struct Form {
  bool NonZero = false;  // whether a digit other than 0 was taken
  long Order = 0;        // the decimal order of magnitude of the value, when NonZero
};

// Reads `text` by the grammar, step by step: spaces, a sign, digits, the separator and digits,
// an exponent, spaces, the end. Returns false when the text does not have that form.
bool ReadForm(std::string_view text, std::string_view separator, Form& form) {
  std::size_t pos = 0;
  const auto skipSpaces = [&] {
    while (pos < text.size() && text[pos] == ' ') {
      ++pos;
    }
  };
  skipSpaces();
  if (pos < text.size() && (text[pos] == '+' || text[pos] == '-')) {
    ++pos;
  }
  long wholeDigits = 0;   // significant digits before the separator
  long leadingZeros = 0;  // zeros after the separator before the first non-zero digit
  bool taken = false;
  for (; pos < text.size() && IsDigit(text[pos]); ++pos) {
    taken = true;
    form.NonZero = form.NonZero || text[pos] != '0';
    wholeDigits += form.NonZero ? 1 : 0;
  }
  if (text.substr(pos).starts_with(separator)) {
    taken = true;
    for (pos += separator.size(); pos < text.size() && IsDigit(text[pos]); ++pos) {
      leadingZeros += !form.NonZero && text[pos] == '0' ? 1 : 0;
      form.NonZero = form.NonZero || text[pos] != '0';
    }
  }
  if (!taken) {
    return false;
  }
  int exponent = 0;
  if (pos < text.size() && (text[pos] == 'E' || text[pos] == 'e')) {
    ++pos;
    const bool negative = pos < text.size() && text[pos] == '-';
    pos += pos < text.size() && (text[pos] == '+' || text[pos] == '-') ? 1 : 0;
    for (; pos < text.size() && IsDigit(text[pos]) && exponent < kExponentBound; ++pos) {
      exponent = exponent * 10 + (text[pos] - '0');
    }
    exponent = negative ? -exponent : exponent;
  }
  skipSpaces();
  form.Order = (wholeDigits > 0 ? wholeDigits - 1 : -leadingZeros - 1) + exponent;
  return pos == text.size();
}

}  // namespace

extern "C" int LLVMFuzzerTestOneInput(const std::uint8_t* data, std::size_t size) {
  if (size == 0) {
    return 0;
  }
  static constexpr std::string_view kSeparators[] = {".", ",", "\xC2\xB7"};
  const std::string_view separator = kSeparators[data[0] % 3];
  const calpero::ScopedDecimalSeparator scoped(separator);
  const std::string text(reinterpret_cast<const char*>(data) + 1, size - 1);

  Form form;
  const bool hasForm = ReadForm(text, separator, form);
  try {
    const long double value = calpero::ParsePower(text);
    Require(hasForm, "only a text of the form of a power is accepted");
    Require(std::isfinite(value), "an accepted power is finite");
    Require(!form.NonZero || form.Order <= kLargestOrder, "a value beyond the range is refused");
    Require(form.NonZero || value == 0, "a text without a non-zero digit is zero");
  } catch (const calpero::EConvertError& error) {
    Require(!hasForm || (form.NonZero && form.Order >= kLargestOrder),
            "a text of the form of a power within the range is accepted");
    Require(error.Message() == "'" + text + "' is not a valid floating point value",
            "the refusal names the whole text");
  }
  return 0;
}
