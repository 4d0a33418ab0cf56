#include "window/error_text.h"

#include <array>
#include <charconv>

namespace calpero {
namespace {

std::string IndexErrorMessage(int index) {
  std::array<char, 16> digits{};
  const auto result = std::to_chars(digits.data(), digits.data() + digits.size(), index);
  return "List index out of bounds (" + std::string(digits.data(), result.ptr) + ")";
}

}  // namespace

std::string ErrorBoxText(std::string_view message) {
  std::string text(message);
  if (!text.empty() && static_cast<unsigned char>(text.back()) > static_cast<unsigned char>('.')) {
    text += '.';
  }
  return text;
}

std::optional<std::vector<std::string>> MatchMessagePattern(std::string_view message,
                                                            std::string_view pattern) {
  const std::size_t first = pattern.find("%1");
  if (first == std::string_view::npos) {
    return message == pattern ? std::optional(std::vector<std::string>{}) : std::nullopt;
  }
  const std::string_view head = pattern.substr(0, first);
  const std::string_view rest = pattern.substr(first + 2);
  const std::size_t second = rest.find("%2");
  // The literal text between the two places, and the one after the last place.
  const std::string_view middle =
      second == std::string_view::npos ? std::string_view() : rest.substr(0, second);
  const std::string_view tail = second == std::string_view::npos ? rest : rest.substr(second + 2);
  if (message.size() < head.size() + middle.size() + tail.size() || !message.starts_with(head) ||
      !message.ends_with(tail)) {
    return std::nullopt;
  }
  const std::string_view filled =
      message.substr(head.size(), message.size() - head.size() - tail.size());
  if (second == std::string_view::npos) {
    return std::vector<std::string>{std::string(filled)};
  }
  const std::size_t end = filled.rfind(middle);
  if (end == std::string_view::npos) {
    return std::nullopt;
  }
  return std::vector<std::string>{std::string(filled.substr(0, end)),
                                  std::string(filled.substr(end + middle.size()))};
}

EListIndexError::EListIndexError(int index) : Exception(IndexErrorMessage(index)) {}

}  // namespace calpero
