#pragma once

#include "catalogue/errors.h"

namespace calpero {

// The unit list was asked for its current item while it has none (or for an index outside it):
// "List index out of bounds (<index>)", with -1 when nothing is current.
class EListIndexError : public Exception {
 public:
  explicit EListIndexError(int index);
};

}  // namespace calpero
