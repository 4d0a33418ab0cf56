#include "app/list_index_error.h"

#include <array>
#include <charconv>
#include <string>

namespace calpero {
namespace {

std::string IndexErrorMessage(int index) {
  std::array<char, 16> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), index);
  return "List index out of bounds (" + std::string(digits.data(), result.ptr) + ")";
}

}  // namespace

EListIndexError::EListIndexError(int index) : Exception(IndexErrorMessage(index)) {}

}  // namespace calpero
