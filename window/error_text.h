#pragma once

#include <optional>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/errors.h"

namespace calpero {

// The text of the default error box for an error's message: the message with a full stop
// appended when it is not empty and its last character comes after "." in character code order
// ("Floating point overflow" gains one; "...(-1)" and "...!" do not).
std::string ErrorBoxText(std::string_view message);

// The texts that `message` holds in the places of `pattern`'s "%1" and "%2" (at most one each,
// in that order), when `message` is `pattern` with some text in those places; nothing otherwise.
// A pattern without a place matches only itself. Where the first place could end at several
// points, it ends at the last, so a quoted text may itself contain the words that follow it.
// ("The unit name '%1' cannot be stored: %2" reads "The unit name 'a]' cannot be stored: it
// contains ']'" as "a]" and "it contains ']'".)
std::optional<std::vector<std::string>> MatchMessagePattern(std::string_view message,
                                                            std::string_view pattern);

// The unit list was asked for its current item while it has none (or for an index outside it):
// "List index out of bounds (<index>)", with -1 when nothing is current.
class EListIndexError : public Exception {
 public:
  explicit EListIndexError(int index);
};

}  // namespace calpero
