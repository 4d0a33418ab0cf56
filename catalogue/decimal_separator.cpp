#include "catalogue/decimal_separator.h"

#include <cstddef>

namespace calpero {
namespace {

std::string& SeparatorInForce() {
  static std::string separator = ".";
  return separator;
}

// Length in bytes of the UTF-8 sequence that `lead` starts, or 0 when it cannot start one.
std::size_t SequenceLength(unsigned char lead) {
  if (lead < 0x80) {
    return 1;
  }
  if ((lead & 0xE0U) == 0xC0) {
    return 2;
  }
  if ((lead & 0xF0U) == 0xE0) {
    return 3;
  }
  if ((lead & 0xF8U) == 0xF0) {
    return 4;
  }
  return 0;
}

bool IsOneCharacter(std::string_view text) {
  if (text.empty()) {
    return false;
  }
  const std::size_t length = SequenceLength(static_cast<unsigned char>(text.front()));
  if (length == 0 || length != text.size()) {
    return false;
  }
  for (std::size_t i = 1; i < length; ++i) {
    if ((static_cast<unsigned char>(text[i]) & 0xC0U) != 0x80) {
      return false;
    }
  }
  return true;
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
