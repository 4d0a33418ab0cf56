#include "ui/cursor_guard.h"

#include <QApplication>
#include <QCursor>

#include "storage/write_lock.h"

namespace calpero {

TCursorGuard::TCursorGuard(Qt::CursorShape shape) {
  QApplication::setOverrideCursor(QCursor(shape));
}

TCursorGuard::~TCursorGuard() { QApplication::restoreOverrideCursor(); }

TLockWaitCursor::TLockWaitCursor() {
  SetLockWaitNotice([this](bool waiting) {
    if (waiting && QApplication::overrideCursor() == nullptr) {
      QApplication::setOverrideCursor(QCursor(Qt::WaitCursor));
      shown_ = true;
    } else if (!waiting && shown_) {
      QApplication::restoreOverrideCursor();
      shown_ = false;
    }
  });
}

TLockWaitCursor::~TLockWaitCursor() { SetLockWaitNotice({}); }

}  // namespace calpero
