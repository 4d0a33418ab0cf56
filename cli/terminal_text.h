#pragma once

#include <cstdint>
#include <optional>
#include <string>
#include <string_view>

namespace calpero {

// A unit name, or any other text the user gave, as the tool prints it on a terminal, so that no
// text can act on the terminal or change how the line around it reads, and every text reads
// unambiguously: control characters (bytes below 0x20 and 0x7F) and bytes that are not part of
// valid UTF-8 become "\xHH" (lower-case hex), the C1 control characters U+0080..U+009F and the
// bidirectional controls (U+061C, U+200E, U+200F, U+202A..U+202E, U+2066..U+2069) become "\uHHHH",
// and a backslash becomes "\\". Everything else passes unchanged.
std::string TerminalText(std::string_view text);

// `text` as a message quotes it: TerminalText between single quotes. The one form in which every
// message of the tool quotes what the user gave.
std::string QuotedText(std::string_view text);

// The code point of `sequence`, one whole UTF-8 character, when the character can act on a
// terminal or reorder the line around it: a C0 control, DEL, a C1 control or a bidirectional
// control. Nothing for any other character.
std::optional<std::uint32_t> TerminalControl(std::string_view sequence);

}  // namespace calpero
