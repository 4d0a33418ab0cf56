#include "window/list_search.h"

#include "text/text_bytes.h"

namespace calpero {

std::optional<std::size_t> SelectStringIndex(std::span<const std::string> items,
                                             std::string_view prefix, std::ptrdiff_t start) {
  const std::size_t count = items.size();
  // Starting "before" the last item makes the first examined item index 0.
  std::size_t before = count == 0 ? 0 : count - 1;
  if (start >= 0 && static_cast<std::size_t>(start) < count) {
    before = static_cast<std::size_t>(start);
  }
  for (std::size_t step = 1; step <= count; ++step) {
    const std::size_t index = (before + step) % count;
    if (StartsWithNoCase(items[index], prefix)) {
      return index;
    }
  }
  return std::nullopt;
}

TTypeAheadStep TTypeAhead::Type(std::string_view character, std::int64_t nowMs,
                                std::span<const std::string> items) {
  ForgetAfterPause(nowMs);
  prefix_ += character;
  return Search(items);
}

TTypeAheadStep TTypeAhead::Backspace(std::int64_t nowMs, std::span<const std::string> items) {
  ForgetAfterPause(nowMs);
  // A UTF-8 continuation byte looks like 10xxxxxx; drop those and then the lead byte.
  while (!prefix_.empty() && (static_cast<unsigned char>(prefix_.back()) & 0xC0U) == 0x80U) {
    prefix_.pop_back();
  }
  if (!prefix_.empty()) {
    prefix_.pop_back();
  }
  return Search(items);
}

void TTypeAhead::ForgetAfterPause(std::int64_t nowMs) {
  if (lastKeyMs_ && nowMs - *lastKeyMs_ >= kPauseMs) {
    prefix_.clear();
  }
  lastKeyMs_ = nowMs;
}

TTypeAheadStep TTypeAhead::Search(std::span<const std::string> items) const {
  if (prefix_.empty()) {
    return {items.empty() ? std::nullopt : std::optional<std::size_t>(0), true};
  }
  const auto found = SelectStringIndex(items, prefix_, -1);
  return {found, found.has_value()};
}

}  // namespace calpero
