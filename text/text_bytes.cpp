#include "text/text_bytes.h"

#include <algorithm>
#include <cstring>

namespace calpero {
namespace {

constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;

// Up to eight bytes of `text` from `at` as one word, missing bytes zero.
std::uint64_t LoadWord(std::string_view text, std::size_t at) {
  std::uint64_t word = 0;
  std::memcpy(&word, text.data() + at, std::min<std::size_t>(sizeof word, text.size() - at));
  return word;
}

// FoldAsciiCase applied to the eight bytes of a word at once: a byte below 0x80 whose value lies
// from "A" to "Z" gets the 0x20 bit. Adding to the low seven bits of each byte never carries into
// the next byte, so each byte's top bit tells its comparison alone.
std::uint64_t FoldWord(std::uint64_t word) {
  const std::uint64_t low = word & (0x7F * kEachByte);
  const std::uint64_t atLeastA = low + (0x80 - 'A') * kEachByte;
  const std::uint64_t aboveZ = low + (0x7F - 'Z') * kEachByte;
  const std::uint64_t upper = atLeastA & ~aboveZ & ~word & (0x80 * kEachByte);
  return word | (upper >> 2);
}

struct TByteRange {
  std::uint8_t Low;
  std::uint8_t High;
};

bool InRange(char byte, TByteRange range) {
  const auto value = static_cast<std::uint8_t>(byte);
  return value >= range.Low && value <= range.High;
}

}  // namespace

bool IsBlankText(std::string_view text) {
  return std::all_of(text.begin(), text.end(),
                     [](char c) { return IsBlank(c) || c == '\n' || c == '\r'; });
}

bool SameIniName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t at = 0; at < a.size(); at += sizeof(std::uint64_t)) {
    if (FoldWord(LoadWord(a, at)) != FoldWord(LoadWord(b, at))) {
      return false;
    }
  }
  return true;
}

void FoldIniName(std::string_view name, std::string& folded) {
  folded.assign(name);
  for (char& c : folded) {
    c = FoldAsciiCase(c);
  }
}

std::uint64_t IniNameHash(std::string_view name) {
  // FNV-1a, taking a folded word of eight bytes at a time.
  constexpr std::uint64_t kOffsetBasis = 14695981039346656037ULL;
  constexpr std::uint64_t kPrime = 1099511628211ULL;
  std::uint64_t hash = kOffsetBasis ^ name.size();
  for (std::size_t at = 0; at < name.size(); at += sizeof(std::uint64_t)) {
    hash = (hash ^ FoldWord(LoadWord(name, at))) * kPrime;
  }
  // A multiplication carries only upwards, so the low bits would see only the low bytes of each
  // word; folding the high half down lets every bit depend on every byte.
  constexpr std::uint64_t kMixer = 0xBF58476D1CE4E5B9ULL;
  hash ^= hash >> 32U;
  hash *= kMixer;
  return hash ^ (hash >> 29U);
}

bool StartsWithNoCase(std::string_view text, std::string_view prefix) {
  return prefix.size() <= text.size() && SameIniName(text.substr(0, prefix.size()), prefix);
}

std::size_t Utf8SequenceLength(std::string_view text) {
  constexpr TByteRange kTail{0x80, 0xBF};
  const auto lead = static_cast<std::uint8_t>(text.front());
  TByteRange second = kTail;
  std::size_t length = 0;
  if (lead < 0x80) {
    return 1;
  }
  if (lead >= 0xC2 && lead <= 0xDF) {
    length = 2;
  } else if (lead >= 0xE0 && lead <= 0xEF) {
    length = 3;
    if (lead == 0xE0) {
      second = {0xA0, 0xBF};
    }
    if (lead == 0xED) {
      second = {0x80, 0x9F};
    }
  } else if (lead >= 0xF0 && lead <= 0xF4) {
    length = 4;
    if (lead == 0xF0) {
      second = {0x90, 0xBF};
    }
    if (lead == 0xF4) {
      second = {0x80, 0x8F};
    }
  } else {
    return 0;
  }
  if (text.size() < length || !InRange(text[1], second)) {
    return 0;
  }
  for (std::size_t i = 2; i < length; ++i) {
    if (!InRange(text[i], kTail)) {
      return 0;
    }
  }
  return length;
}

}  // namespace calpero
