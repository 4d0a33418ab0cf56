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

// For its lifetime, shows the hourglass while a change of the catalogue waits for another program
// to finish its own, so that the wait does not look like a hung window. An operation that already
// shows a busy cursor keeps it.
class TLockWaitCursor {
 public:
  TLockWaitCursor();
  ~TLockWaitCursor();
  TLockWaitCursor(const TLockWaitCursor&) = delete;
  TLockWaitCursor& operator=(const TLockWaitCursor&) = delete;
  TLockWaitCursor(TLockWaitCursor&&) = delete;
  TLockWaitCursor& operator=(TLockWaitCursor&&) = delete;

 private:
  bool shown_ = false;
};

}  // namespace calpero
