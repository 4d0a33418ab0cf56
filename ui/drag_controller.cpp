#include "ui/drag_controller.h"

#include <cstdlib>
#include <utility>

#include <QApplication>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QWidget>
#include <QWindow>

namespace calpero {

TDragController::TDragController(QWidget* window, TDragHost& host) : window_(window), host_(host) {
  qApp->installEventFilter(this);
  // Another window taking the keyboard means the user has turned to it: the gesture is over.
  connect(qApp, &QGuiApplication::focusWindowChanged, this, [this](const QWindow* focus) {
    if (focus == nullptr || focus != window_->windowHandle()) {
      Cancel();
    }
  });
}

TDragController::~TDragController() { qApp->removeEventFilter(this); }

bool TDragController::eventFilter(QObject* watched, QEvent* event) {
  if (TakesTheMouseAway(watched, *event)) {
    Cancel();
    return false;
  }
  if (event->type() == QEvent::KeyPress && InWindow(watched)) {
    return OnKeyPress(*static_cast<QKeyEvent*>(event));
  }
  // The window's own mouse events, before the toolkit hands them to a control: one event per
  // press, move or release, whichever control lies under the pointer or is disabled. Their
  // positions are in the window's coordinates, those of the top-level widget.
  if (watched == nullptr || watched != window_->windowHandle()) {
    return false;
  }
  switch (event->type()) {
    case QEvent::MouseButtonPress:
      return OnPress(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseMove:
      return OnMove(*static_cast<QMouseEvent*>(event));
    case QEvent::MouseButtonRelease:
      return OnRelease(*static_cast<QMouseEvent*>(event));
    default:
      return false;
  }
}

bool TDragController::InWindow(const QObject* watched) const {
  if (watched != nullptr && watched == window_->windowHandle()) {
    return true;
  }
  const auto* widget = qobject_cast<const QWidget*>(watched);
  return widget != nullptr && widget->window() == window_;
}

bool TDragController::TakesTheMouseAway(const QObject* watched, const QEvent& event) const {
  switch (event.type()) {
    case QEvent::WindowBlocked:  // a modal window opened over this one
    case QEvent::WindowDeactivate:
      return watched == window_ || (watched != nullptr && watched == window_->windowHandle());
    case QEvent::ApplicationStateChange:
      return static_cast<const QApplicationStateChangeEvent&>(event).applicationState() !=
             Qt::ApplicationActive;
    default:
      return false;
  }
}

bool TDragController::OnKeyPress(const QKeyEvent& event) {
  if (!dragging_) {
    return false;
  }
  if (event.key() == Qt::Key_Escape) {
    Finish(std::nullopt);
  }
  // No key acts while the drag goes on: arrows or type-ahead in the list would otherwise move its
  // selection away from the unit under the pointer. The window's shortcuts still act, since they
  // are taken before the key is delivered; one that opens a window ends the drag as above.
  return true;
}

void TDragController::Cancel() {
  if (dragging_) {
    Finish(std::nullopt);
    return;
  }
  armed_ = false;
  source_ = nullptr;
}

bool TDragController::OnPress(const QMouseEvent& event) {
  if (dragging_ || event.button() != Qt::LeftButton) {
    return dragging_;
  }
  const QPoint at = event.position().toPoint();
  TDragStart start = TDragStart::Never;
  QWidget* source = host_.DragSourceFor(WidgetAt(at), start);
  if (source == nullptr || start == TDragStart::Never) {
    return false;
  }
  source_ = source;
  pressedAt_ = at;
  if (start == TDragStart::AtOnce) {
    pressEaten_ = true;
    Begin();
    ShowAnswerAt(at);
    return true;
  }
  // The control handles its press (the list selects the item under the pointer); the drag waits.
  pressEaten_ = false;
  armed_ = true;
  return false;
}

bool TDragController::OnMove(const QMouseEvent& event) {
  const QPoint at = event.position().toPoint();
  if (armed_) {
    if ((event.buttons() & Qt::LeftButton) == 0) {
      armed_ = false;
      return false;
    }
    const QPoint moved = at - pressedAt_;
    if (std::abs(moved.x()) < kThreshold && std::abs(moved.y()) < kThreshold) {
      // Held still, the list must not follow the pointer with its selection.
      return true;
    }
    armed_ = false;
    Begin();
  }
  if (dragging_) {
    if ((event.buttons() & Qt::LeftButton) == 0) {
      // The button went up where the window did not see it (over another window, or while one
      // held the mouse): the drag ends there, with no drop, and the move is an ordinary move.
      Finish(std::nullopt);
      return false;
    }
    ShowAnswerAt(at);
    return true;
  }
  return false;
}

bool TDragController::OnRelease(const QMouseEvent& event) {
  if (event.button() != Qt::LeftButton) {
    return dragging_;
  }
  if (armed_) {
    // A plain click: no drag took place.
    armed_ = false;
    source_ = nullptr;
    return false;
  }
  if (!dragging_) {
    return false;
  }
  const bool eaten = pressEaten_;
  Finish(event.position().toPoint());
  // A control that saw the press sees its release too, so that it ends its own click.
  return eaten;
}

void TDragController::Begin() {
  dragging_ = true;
  cursor_.emplace(Qt::DragMoveCursor);
  host_.StartDrag(source_);
}

void TDragController::ShowAnswerAt(QPoint inWindow) {
  const bool accepted = source_ != nullptr && host_.DragOver(WidgetAt(inWindow), source_, inWindow);
  QApplication::changeOverrideCursor(accepted ? Qt::DragMoveCursor : Qt::ForbiddenCursor);
}

void TDragController::Finish(std::optional<QPoint> dropAt) {
  const QPointer<QWidget> source = std::exchange(source_, nullptr);
  dragging_ = false;
  armed_ = false;
  cursor_.reset();
  if (source == nullptr) {
    return;
  }
  if (dropAt) {
    QWidget* target = WidgetAt(*dropAt);
    if (host_.DragOver(target, source, *dropAt)) {
      host_.DragDrop(target, source, *dropAt);
    }
  }
  if (source != nullptr) {
    host_.EndDrag(source);
  }
}

QWidget* TDragController::WidgetAt(QPoint inWindow) const { return window_->childAt(inWindow); }

}  // namespace calpero
