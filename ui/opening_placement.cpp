#include "ui/opening_placement.h"

#include <QEvent>
#include <QGuiApplication>
#include <QRect>
#include <QScreen>
#include <QWidget>

#include "window/window_placement.h"

namespace calpero {
namespace {

TScreenRect ToScreenRect(const QRect& rect) {
  return {rect.left(), rect.top(), rect.width(), rect.height()};
}

}  // namespace

TOpeningPlacement::TOpeningPlacement(QWidget* window, QPoint wanted)
    : QObject(window), window_(window), wanted_(wanted) {
  Place();
  window_->installEventFilter(this);
}

bool TOpeningPlacement::eventFilter(QObject* watched, QEvent* event) {
  if (watched != window_) {
    return false;
  }
  switch (event->type()) {
    case QEvent::Show:
    case QEvent::Move:
      // A window manager frames the window some time after it shows, which moves it; until the
      // window is first activated, no move can be the user's.
      Place();
      break;
    case QEvent::WindowActivate:
      window_->removeEventFilter(this);
      break;
    default:
      break;
  }
  return false;
}

void TOpeningPlacement::Place() {
  const QScreen* screen = QGuiApplication::screenAt(wanted_);
  if (screen == nullptr) {
    screen = window_->screen();
  }
  // Before the window shows, its frame geometry is the bare window's.
  const QSize outer = window_->frameGeometry().size();
  const TScreenRect placed =
      PlaceWhollyVisible({wanted_.x(), wanted_.y(), outer.width(), outer.height()},
                         ToScreenRect(screen->availableGeometry()));
  window_->move(placed.Left, placed.Top);
}

}  // namespace calpero
