#include "ui/cursor_guard.h"

#include <QApplication>
#include <QCursor>

namespace calpero {

TCursorGuard::TCursorGuard(Qt::CursorShape shape) {
  QApplication::setOverrideCursor(QCursor(shape));
}

TCursorGuard::~TCursorGuard() { QApplication::restoreOverrideCursor(); }

}  // namespace calpero
