#include "ui/status_hint_tracker.h"

#include <utility>

#include <QAbstractEventDispatcher>
#include <QApplication>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

#include "ui/hint.h"

namespace calpero {
namespace {

// An event that tells where the pointer is on the screen.
bool IsPointerEvent(const QEvent& event) {
  switch (event.type()) {
    case QEvent::MouseMove:
    case QEvent::MouseButtonPress:
    case QEvent::MouseButtonRelease:
    case QEvent::MouseButtonDblClick:
      return event.isSinglePointEvent();
    default:
      return false;
  }
}

}  // namespace

TStatusHintTracker::TStatusHintTracker(QWidget* window, std::function<void(const QString&)> show)
    : window_(window), show_(std::move(show)) {
  qApp->installEventFilter(this);
  connect(QAbstractEventDispatcher::instance(), &QAbstractEventDispatcher::aboutToBlock, this,
          &TStatusHintTracker::FollowRestingPointer);
}

TStatusHintTracker::~TStatusHintTracker() { qApp->removeEventFilter(this); }

QString TStatusHintTracker::HintUnderPointer() const {
  if (!pointer_) {
    return {};
  }
  const QPoint local = window_->mapFromGlobal(*pointer_);
  return window_->rect().contains(local) ? StatusTextFor(window_->childAt(local)) : QString();
}

bool TStatusHintTracker::eventFilter(QObject* watched, QEvent* event) {
  if (!IsPointerEvent(*event)) {
    return false;
  }
  pointer_ = static_cast<QSinglePointEvent*>(event)->globalPosition().toPoint();
  // The window's own mouse moves come before the toolkit picks a receiving control, and they come
  // for disabled controls too, which receive none of their own.
  if (event->type() == QEvent::MouseMove && watched != nullptr &&
      watched == window_->windowHandle()) {
    show_(StatusTextFor(window_->childAt(window_->mapFromGlobal(*pointer_))));
  }
  return false;
}

void TStatusHintTracker::FollowRestingPointer() {
  // An open menu shows its own items' hints, and a modal window above this one has the pointer;
  // once they have gone, the control under the resting pointer speaks again.
  if (!pointer_ || !window_->isVisible() || QApplication::activePopupWidget() != nullptr) {
    return;
  }
  const QWidget* modal = QApplication::activeModalWidget();
  const QPoint local = window_->mapFromGlobal(*pointer_);
  if ((modal != nullptr && modal != window_) || !window_->rect().contains(local)) {
    return;
  }
  show_(StatusTextFor(window_->childAt(local)));
}

}  // namespace calpero
