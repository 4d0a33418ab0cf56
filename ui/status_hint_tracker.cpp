#include "ui/status_hint_tracker.h"

#include <utility>

#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "ui/hint.h"

namespace calpero {

TStatusHintTracker::TStatusHintTracker(QWidget* window, std::function<void(const QString&)> show)
    : window_(window), show_(std::move(show)) {
  qApp->installEventFilter(this);
}

TStatusHintTracker::~TStatusHintTracker() { qApp->removeEventFilter(this); }

bool TStatusHintTracker::eventFilter(QObject* watched, QEvent* event) {
  // The window's own mouse moves come before the toolkit picks a receiving control, and they come
  // for disabled controls too, which receive none of their own.
  if (event->type() == QEvent::MouseMove && watched != nullptr &&
      watched == window_->windowHandle()) {
    const QPoint global = static_cast<QMouseEvent*>(event)->globalPosition().toPoint();
    show_(StatusTextFor(window_->childAt(window_->mapFromGlobal(global))));
  }
  return false;
}

}  // namespace calpero
