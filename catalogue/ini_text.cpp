#include "catalogue/ini_text.h"

#include <algorithm>
#include <cstring>

namespace calpero {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

std::string_view TrimBlanks(std::string_view text) {
  std::size_t first = 0;
  while (first < text.size() && IsBlank(text[first])) {
    ++first;
  }
  std::size_t last = text.size();
  while (last > first && IsBlank(text[last - 1])) {
    --last;
  }
  return text.substr(first, last - first);
}

std::string_view StripQuotes(std::string_view value) {
  if (value.size() >= 2 && (value.front() == '"' || value.front() == '\'') &&
      value.back() == value.front()) {
    return value.substr(1, value.size() - 2);
  }
  return value;
}

char FoldCase(char c) { return c >= 'A' && c <= 'Z' ? static_cast<char>(c - 'A' + 'a') : c; }

constexpr std::uint64_t kEachByte = 0x0101010101010101ULL;

// Up to eight bytes of `text` from `at` as one word, missing bytes zero.
std::uint64_t LoadWord(std::string_view text, std::size_t at) {
  std::uint64_t word = 0;
  std::memcpy(&word, text.data() + at, std::min<std::size_t>(sizeof word, text.size() - at));
  return word;
}

// FoldCase applied to the eight bytes of a word at once: a byte below 0x80 whose value lies from
// "A" to "Z" gets the 0x20 bit. Adding to the low seven bits of each byte never carries into the
// next byte, so each byte's top bit tells its comparison alone.
std::uint64_t FoldWord(std::uint64_t word) {
  const std::uint64_t low = word & (0x7F * kEachByte);
  const std::uint64_t atLeastA = low + (0x80 - 'A') * kEachByte;
  const std::uint64_t aboveZ = low + (0x7F - 'Z') * kEachByte;
  const std::uint64_t upper = atLeastA & ~aboveZ & ~word & (0x80 * kEachByte);
  return word | (upper >> 2);
}

// Fills the kind and the names of `line`, whose content is `content`.
void Classify(std::string_view content, IniLine& line) {
  line.kind = IniLineKind::kOther;
  line.name = {};
  line.value = {};
  line.valueBegin = line.end;
  std::size_t first = 0;
  while (first < content.size() && IsBlank(content[first])) {
    ++first;
  }
  if (first == content.size()) {
    return;
  }
  if (content[first] == '[') {
    const std::size_t close = content.rfind(']');
    if (close != std::string_view::npos) {
      line.kind = IniLineKind::kHeader;
      line.name = TrimBlanks(content.substr(first + 1, close - first - 1));
      return;
    }
  }
  if (content[first] == ';') {
    line.kind = IniLineKind::kComment;
    return;
  }
  const std::size_t equals = content.find('=', first);
  if (equals == std::string_view::npos) {
    return;
  }
  line.kind = IniLineKind::kEntry;
  line.name = TrimBlanks(content.substr(first, equals - first));
  std::size_t valueStart = equals + 1;
  while (valueStart < content.size() && IsBlank(content[valueStart])) {
    ++valueStart;
  }
  line.valueBegin = line.begin + valueStart;
  line.value = StripQuotes(TrimBlanks(content.substr(valueStart)));
}

}  // namespace

IniScanner::IniScanner(std::string_view text)
    : text_(text),
      start_(text.starts_with(kByteOrderMark) ? kByteOrderMark.size() : 0),
      pos_(start_) {}

IniScanner::IniScanner(std::string_view text, std::size_t from)
    : text_(text), start_(from), pos_(from) {}

bool IniScanner::Next(IniLine& line) {
  if (pos_ >= text_.size()) {
    return false;
  }
  line = ReadIniLine(text_, pos_);
  pos_ = line.next;
  return true;
}

IniLine ReadIniLine(std::string_view text, std::size_t begin) {
  IniLine line;
  line.begin = begin;
  std::size_t end = begin;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') {
    ++end;
  }
  line.end = end;
  if (end < text.size()) {
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    end += crlf ? 2 : 1;
  }
  line.next = end;
  Classify(text.substr(line.begin, line.end - line.begin), line);
  return line;
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
    c = FoldCase(c);
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

std::string_view LineEndStyle(std::string_view text) {
  const std::size_t found = text.find_first_of("\r\n");
  if (found == std::string_view::npos || text[found] == '\n') {
    return "\n";
  }
  return text.substr(found + 1).starts_with('\n') ? "\r\n" : "\r";
}

}  // namespace calpero
