#pragma once

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace calpero {

// The unit list's select-by-prefix search. `start` is the index of the item just before the
// first one examined: the search looks at the items from start + 1 to the last, then wraps
// around to index 0 and ends with `start` itself, which is examined last. A `start` outside the
// list (-1, say) searches the whole list from index 0. Returns the index of the first item that
// begins with `prefix` (StartsWithNoCase), or std::nullopt when none does or the list is empty.
std::optional<std::size_t> SelectStringIndex(std::span<const std::string> items,
                                             std::string_view prefix, std::ptrdiff_t start);

// What one key of the list's type-ahead asks of the list: the item to make current (if any) and
// whether that counts as a click on the list (which then reads the current item, and fails when
// there is none).
struct TTypeAheadStep {
  std::optional<std::size_t> Index;
  bool CountsAsClick = false;
};

// The unit list's keyboard type-ahead. Each character typed extends a prefix; a pause of
// kPauseMs or more since the previous key starts a new prefix; backspace shortens it by one
// character. After each key the first item from the top that begins with the prefix (compared
// without regard to ASCII case) becomes current and counts as a click; the empty prefix selects
// the first item and counts as a click even when the list is empty; a prefix that no item begins
// with changes nothing.
class TTypeAhead {
 public:
  static constexpr std::int64_t kPauseMs = 500;

  // A character (its UTF-8 bytes) typed at `nowMs` (any monotonic clock in milliseconds), with
  // the list's items as they stand. Never throws beyond allocation.
  TTypeAheadStep Type(std::string_view character, std::int64_t nowMs,
                      std::span<const std::string> items);

  // Backspace pressed at `nowMs`: drops the prefix's last character (a whole UTF-8 sequence).
  TTypeAheadStep Backspace(std::int64_t nowMs, std::span<const std::string> items);

  // The prefix as it stands after the last key.
  const std::string& Prefix() const { return prefix_; }

 private:
  void ForgetAfterPause(std::int64_t nowMs);
  TTypeAheadStep Search(std::span<const std::string> items) const;

  std::string prefix_;
  std::optional<std::int64_t> lastKeyMs_;
};

}  // namespace calpero
