#pragma once

#include <QObject>
#include <QPoint>

class QWidget;

namespace calpero {

// Puts a top-level window at its opening place, moved just enough to show it whole within the
// available area of the screen there, at the desktop's scale (PlaceWhollyVisible): at once, with
// the frame as far as it is known, and again as the window shows and the window system frames it,
// until the window is first activated. Where the window fits it stands exactly at its place;
// later moves are the user's and are left alone.
class TOpeningPlacement : public QObject {
  Q_OBJECT

 public:
  // Places `window`, which owns the placement, with its frame's top-left corner at `wanted`.
  TOpeningPlacement(QWidget* window, QPoint wanted);

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void Place();

  QWidget* window_;
  QPoint wanted_;
};

}  // namespace calpero
