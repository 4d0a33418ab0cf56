#include "window/error_text.h"

#include <array>
#include <charconv>

namespace calpero {
namespace {

std::string IndexText(int index) {
  std::array<char, 16> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), index);
  return {digits.data(), result.ptr};
}

}  // namespace

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

EListIndexError::EListIndexError(int index)
    : Exception(MessageId::ListIndexOutOfBounds, {IndexText(index)}) {}

}  // namespace calpero
