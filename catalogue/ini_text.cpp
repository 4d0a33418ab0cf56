#include "catalogue/ini_text.h"

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
  line.begin = pos_;
  std::size_t end = pos_;
  while (end < text_.size() && text_[end] != '\n' && text_[end] != '\r') {
    ++end;
  }
  line.end = end;
  if (end < text_.size()) {
    const bool crlf = text_[end] == '\r' && end + 1 < text_.size() && text_[end + 1] == '\n';
    end += crlf ? 2 : 1;
  }
  line.next = end;
  pos_ = end;
  Classify(text_.substr(line.begin, line.end - line.begin), line);
  return true;
}

bool SameIniName(std::string_view a, std::string_view b) {
  if (a.size() != b.size()) {
    return false;
  }
  for (std::size_t i = 0; i < a.size(); ++i) {
    if (FoldCase(a[i]) != FoldCase(b[i])) {
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

std::string_view LineEndStyle(std::string_view text) {
  const std::size_t found = text.find_first_of("\r\n");
  if (found == std::string_view::npos || text[found] == '\n') {
    return "\n";
  }
  return text.substr(found + 1).starts_with('\n') ? "\r\n" : "\r";
}

}  // namespace calpero
