#include "cli/terminal_text.h"

#include <cstddef>
#include <cstdint>

#include "text/text_bytes.h"

namespace calpero {
namespace {

constexpr std::string_view kHexDigits = "0123456789abcdef";

void AppendHex(std::string& out, std::string_view prefix, std::uint8_t value) {
  out += prefix;
  out += kHexDigits[value >> 4U];
  out += kHexDigits[value & 0x0FU];
}

}  // namespace

std::string TerminalText(std::string_view name) {
  std::string out;
  out.reserve(name.size());
  while (!name.empty()) {
    const std::size_t length = Utf8SequenceLength(name);
    const auto lead = static_cast<std::uint8_t>(name.front());
    if (length == 0 || (length == 1 && (lead < 0x20 || lead == 0x7F))) {
      AppendHex(out, "\\x", lead);
    } else if (length == 1 && lead == '\\') {
      out += "\\\\";
    } else if (length == 2 && lead == 0xC2 && static_cast<std::uint8_t>(name[1]) < 0xA0) {
      AppendHex(out, "\\u00", static_cast<std::uint8_t>(name[1]));
    } else {
      out += name.substr(0, length);
    }
    name.remove_prefix(length == 0 ? 1 : length);
  }
  return out;
}

}  // namespace calpero
