#pragma once

#include <Qt>

namespace calpero {

// Sets the application-wide cursor for the guard's lifetime and sets the previous one back when
// the guard ends, whichever way the scope is left (also when an error ends a handler). Guards
// nest: the innermost one shows.
class TCursorGuard {
 public:
  explicit TCursorGuard(Qt::CursorShape shape);
  ~TCursorGuard();
  TCursorGuard(const TCursorGuard&) = delete;
  TCursorGuard& operator=(const TCursorGuard&) = delete;
  TCursorGuard(TCursorGuard&&) = delete;
  TCursorGuard& operator=(TCursorGuard&&) = delete;
};

}  // namespace calpero
