#pragma once

#include <string>
#include <string_view>

namespace calpero {

// A unit name as text output shows it, so that no name can act on the terminal and every name
// reads unambiguously: control characters (bytes below 0x20 and 0x7F) and bytes that are not
// part of valid UTF-8 become "\xHH" (lower-case hex), the C1 control characters U+0080..U+009F
// become "\u0080".."\u009f", and a backslash becomes "\\". Everything else passes unchanged.
std::string TerminalText(std::string_view name);

}  // namespace calpero
