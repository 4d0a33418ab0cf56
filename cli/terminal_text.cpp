#include "cli/terminal_text.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>

#include "text/text_bytes.h"

namespace calpero {
namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

void AppendHex(std::string& out, std::uint8_t value) {
  out += kHexDigits[value >> 4U];
  out += kHexDigits[value & 0x0FU];
}

// The code point of a valid UTF-8 sequence of two or three bytes.
std::uint32_t CodePoint(std::string_view sequence) {
  const auto byte = [sequence](std::size_t i) { return static_cast<std::uint8_t>(sequence[i]); };
  if (sequence.size() == 2) {
    return ((byte(0) & 0x1FU) << 6U) | (byte(1) & 0x3FU);
  }
  return ((byte(0) & 0x0FU) << 12U) | ((byte(1) & 0x3FU) << 6U) | (byte(2) & 0x3FU);
}

constexpr std::array<std::uint32_t, 12> kBidiControls = {
    0x061C, 0x200E, 0x200F, 0x202A, 0x202B, 0x202C, 0x202D, 0x202E, 0x2066, 0x2067, 0x2068, 0x2069};

}  // namespace

std::optional<std::uint32_t> TerminalControl(std::string_view sequence) {
  if (sequence.size() == 1) {
    const auto byte = static_cast<std::uint8_t>(sequence.front());
    return byte < 0x20 || byte == 0x7F ? std::optional<std::uint32_t>(byte) : std::nullopt;
  }
  if (sequence.size() != 2 && sequence.size() != 3) {
    return std::nullopt;
  }
  const std::uint32_t code = CodePoint(sequence);
  const bool control = code < 0xA0 || std::ranges::find(kBidiControls, code) != kBidiControls.end();
  return control ? std::optional<std::uint32_t>(code) : std::nullopt;
}

std::string TerminalText(std::string_view text) {
  // Nearly every name is printable ASCII without a backslash, which stands as it is; a list of
  // 100,000 units spent a third of its time looking at such names byte by byte.
  if (std::ranges::all_of(text, [](char c) { return c >= ' ' && c < '\x7F' && c != '\\'; })) {
    return std::string(text);
  }
  std::string out;
  out.reserve(text.size());
  while (!text.empty()) {
    const std::size_t length = Utf8SequenceLength(text);
    const std::optional<std::uint32_t> control = TerminalControl(text.substr(0, length));
    if (length == 0 || (length == 1 && control)) {
      out += "\\x";
      AppendHex(out, static_cast<std::uint8_t>(text.front()));
    } else if (length == 1 && text.front() == '\\') {
      out += "\\\\";
    } else if (control) {
      out += "\\u";
      AppendHex(out, static_cast<std::uint8_t>(*control >> 8U));
      AppendHex(out, static_cast<std::uint8_t>(*control & 0xFFU));
    } else {
      out += text.substr(0, length);
    }
    text.remove_prefix(length == 0 ? 1 : length);
  }
  return out;
}

std::string QuotedText(std::string_view text) { return "'" + TerminalText(text) + "'"; }

}  // namespace calpero
