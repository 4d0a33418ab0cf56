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

}  // namespace calpero
