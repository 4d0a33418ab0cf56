#include "catalogue/ini_header_scanner.h"

#include <cstring>

namespace calpero {

IniHeaderScanner::IniHeaderScanner(std::string_view text)
    : text_(text), start_(IniScanner(text).Start()), pos_(start_) {}

bool IniHeaderScanner::Next(IniLine& header) {
  while (pos_ < text_.size()) {
    const void* found = std::memchr(text_.data() + pos_, '[', text_.size() - pos_);
    if (found == nullptr) {
      pos_ = text_.size();
      return false;
    }
    const auto bracket = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
    const std::size_t lineBegin = LineBeginBefore(bracket);
    if (lineBegin == text_.size()) {
      pos_ = bracket + 1;
      continue;
    }
    // Any other "[" on this line comes after its first non-blank, so the search goes on after it.
    IniLine line = ReadIniLine(text_, lineBegin);
    pos_ = line.next;
    if (line.kind == IniLineKind::kHeader) {
      header = line;
      return true;
    }
  }
  return false;
}

std::size_t IniHeaderScanner::LineBeginBefore(std::size_t bracket) const {
  std::size_t begin = bracket;
  while (begin > start_ && (text_[begin - 1] == ' ' || text_[begin - 1] == '\t')) {
    --begin;
  }
  if (begin == start_ || text_[begin - 1] == '\n' || text_[begin - 1] == '\r') {
    return begin;
  }
  return text_.size();
}

}  // namespace calpero
