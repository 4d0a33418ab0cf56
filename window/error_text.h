#pragma once

#include <string>
#include <string_view>

#include "catalogue/errors.h"

namespace calpero {

// The text of the default error box for an error's message: the message with a full stop
// appended when it is not empty and its last character comes after "." in character code order
// ("... overflow" gains one; "...(-1)" and "...!" do not).
std::string ErrorBoxText(std::string_view message);

// The unit list was asked for its current item while it has none (or for an index outside it):
// MessageId::ListIndexOutOfBounds, the index -1 when nothing is current.
class EListIndexError : public Exception {
 public:
  explicit EListIndexError(int index);
};

}  // namespace calpero
