#pragma once

#include <cstddef>
#include <cstdint>
#include <string>
#include <string_view>

namespace calpero {

// `byte` with an ASCII capital letter made small; every other byte as it is. Unit names are byte
// strings: only ASCII letters have a case that the program folds.
constexpr char FoldAsciiCase(char byte) {
  return byte >= 'A' && byte <= 'Z' ? static_cast<char>(byte - 'A' + 'a') : byte;
}

// Whether `c` is a blank: a space or a tab.
constexpr bool IsBlank(char c) { return c == ' ' || c == '\t'; }

// Whether `text` holds nothing but blanks and line ends (an empty text does).
bool IsBlankText(std::string_view text);

// Whether two names (unit names, section or key names) are the same without regard to letter
// case (ASCII letters fold; every other byte compares as it is).
bool SameIniName(std::string_view a, std::string_view b);

// Sets `folded` to `name` with ASCII letters in lower case: the form under which SameIniName
// names are equal. Reuses the storage of `folded`.
void FoldIniName(std::string_view name, std::string& folded);

// A 64-bit hash of `name` that is the same for names that SameIniName takes for the same, so that
// a name can be looked for among many without folding a copy of each. Every bit depends on every
// byte, so any part of the hash may serve as a smaller one.
std::uint64_t IniNameHash(std::string_view name);

// A 16-bit mark of `name` that names SameIniName takes for the same share: its length and its
// last bytes, folded, where the names of a catalogue differ most. It reads at most four bytes, so
// a list of headers notes it for every name cheaply, and a search for one name among them compares
// the marks before it reads a single name.
inline std::uint16_t IniNameMark(std::string_view name) {
  std::uint64_t mark = name.size();
  for (std::size_t i = name.size() > 4 ? name.size() - 4 : 0; i < name.size(); ++i) {
    mark = (mark << 8U) | static_cast<unsigned char>(FoldAsciiCase(name[i]));
  }
  constexpr std::uint64_t kMixer = 0x9E3779B97F4A7C15ULL;
  return static_cast<std::uint16_t>((mark * kMixer) >> 48U);
}

// Whether `text` begins with `prefix`, comparing ASCII letters without regard to case and every
// other byte exactly (names are stored bytes; a name that is not ASCII still matches itself).
// Every text begins with the empty prefix.
bool StartsWithNoCase(std::string_view text, std::string_view prefix);

// The length in bytes (1 to 4) of the well-formed UTF-8 sequence at the start of `text`, or 0
// when none starts there: a byte that cannot lead, a sequence cut short or with a wrong
// continuation byte, an overlong form, a surrogate or a code point above U+10FFFF. `text` must
// not be empty.
std::size_t Utf8SequenceLength(std::string_view text);

}  // namespace calpero
