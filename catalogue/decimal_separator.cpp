#include "catalogue/decimal_separator.h"

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

}  // namespace calpero
