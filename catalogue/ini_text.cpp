#include "catalogue/ini_text.h"

#include "text/text_bytes.h"

namespace calpero {
namespace {

constexpr std::string_view kByteOrderMark = "\xEF\xBB\xBF";

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

// Fills the kind and the names of `line`, whose content is `content`.
void Classify(std::string_view content, IniLine& line) {
  line.Kind = IniLineKind::Other;
  line.Name = {};
  line.Value = {};
  line.ValueBegin = line.End;
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
      line.Kind = IniLineKind::Header;
      line.Name = TrimBlanks(content.substr(first + 1, close - first - 1));
      return;
    }
  }
  if (content[first] == ';') {
    line.Kind = IniLineKind::Comment;
    return;
  }
  const std::size_t equals = content.find('=', first);
  if (equals == std::string_view::npos) {
    return;
  }
  line.Kind = IniLineKind::Entry;
  line.Name = TrimBlanks(content.substr(first, equals - first));
  std::size_t valueStart = equals + 1;
  while (valueStart < content.size() && IsBlank(content[valueStart])) {
    ++valueStart;
  }
  line.ValueBegin = line.Begin + valueStart;
  line.Value = StripQuotes(TrimBlanks(content.substr(valueStart)));
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
  pos_ = line.Next;
  return true;
}

IniLine ReadIniLine(std::string_view text, std::size_t begin) {
  IniLine line;
  line.Begin = begin;
  std::size_t end = begin;
  while (end < text.size() && text[end] != '\n' && text[end] != '\r') {
    ++end;
  }
  line.End = end;
  if (end < text.size()) {
    const bool crlf = text[end] == '\r' && end + 1 < text.size() && text[end + 1] == '\n';
    end += crlf ? 2 : 1;
  }
  line.Next = end;
  Classify(text.substr(line.Begin, line.End - line.Begin), line);
  return line;
}

std::string_view LineEndStyle(std::string_view text) {
  const std::size_t found = text.find_first_of("\r\n");
  if (found == std::string_view::npos || text[found] == '\n') {
    return "\n";
  }
  return text.substr(found + 1).starts_with('\n') ? "\r\n" : "\r";
}

}  // namespace calpero
