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
  pointer_ = InWindow(watched, *static_cast<QSinglePointEvent*>(event));
  // The window's own mouse moves come before the toolkit picks a receiving control, and they come
  // for disabled controls too, which receive none of their own.
  if (event->type() == QEvent::MouseMove && watched != nullptr &&
      watched == window_->windowHandle() && pointer_) {
    show_(StatusTextFor(window_->childAt(*pointer_)));
  }
  return false;
}

std::optional<QPoint> TStatusHintTracker::InWindow(const QObject* watched,
                                                   const QSinglePointEvent& event) {
  const QPoint screen = event.globalPosition().toPoint();
  std::optional<QPoint> at;
  if (watched != nullptr && watched == window_->windowHandle()) {
    at = event.position().toPoint();
  } else if (const auto* widget = qobject_cast<const QWidget*>(watched)) {
    if (widget->window() == window_) {
      at = widget->mapTo(window_, event.position().toPoint());
    } else if (origin_) {
      // Over another window: only the screen position relates the two.
      return screen - *origin_;
    } else {
      return std::nullopt;
    }
  } else {
    // Another window's own event; the same pointer reaches its widget next.
    return pointer_;
  }
  origin_ = screen - *at;
  return at;
}

void TStatusHintTracker::FollowRestingPointer() {
  // An open menu shows its own items' hints, and a modal window above this one has the pointer;
  // once they have gone, the control under the resting pointer speaks again.
  if (!pointer_ || !window_->isVisible() || QApplication::activePopupWidget() != nullptr) {
    return;
  }
  const QWidget* modal = QApplication::activeModalWidget();
  if ((modal != nullptr && modal != window_) || !window_->rect().contains(*pointer_)) {
    return;
  }
  show_(StatusTextFor(window_->childAt(*pointer_)));
}

}  // namespace calpero
