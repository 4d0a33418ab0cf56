#pragma once

#include <optional>

#include <QObject>
#include <QPoint>
#include <QPointer>

#include "ui/cursor_guard.h"
#include "ui/drag_host.h"

class QKeyEvent;
class QMouseEvent;

namespace calpero {

// The window's own drag and drop, followed through the mouse events of the window. A left press
// on a draggable control begins its drag at once or arms it until the pointer has moved
// kThreshold pixels or more along either axis; while the drag goes on, the control under the
// pointer is asked whether it accepts, and the cursor shows the answer (the forbidden cursor for
// a refusing place); the release drops on an accepting place or cancels over a refusing one, and
// then ends the drag. Escape cancels too, and so does anything that takes the mouse from the
// window while the drag goes on (a modal window opening, the window or the application losing
// activation, a release that the window never saw): the drag never outlives its gesture, so the
// next click is a click and never a late drop. The drag's own mouse events do not reach the
// controls, and neither do the keys pressed while it goes on, as in the desktop's own drag loops:
// what is carried stays what the press picked up.
class TDragController : public QObject {
  Q_OBJECT

 public:
  static constexpr int kThreshold = 5;

  // Follows the mouse in `window` (a top-level widget) for `host`; installs itself on the
  // application. Both must outlive the controller.
  TDragController(QWidget* window, TDragHost& host);
  ~TDragController() override;
  TDragController(const TDragController&) = delete;
  TDragController& operator=(const TDragController&) = delete;

  // Whether a drag is going on now.
  bool IsDragging() const { return dragging_; }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  bool OnPress(const QMouseEvent& event);
  bool OnMove(const QMouseEvent& event);
  bool OnRelease(const QMouseEvent& event);
  bool OnKeyPress(const QKeyEvent& event);
  bool InWindow(const QObject* watched) const;
  bool TakesTheMouseAway(const QObject* watched, const QEvent& event) const;
  void Cancel();
  void Begin();
  void ShowAnswerAt(QPoint global);
  void Finish(std::optional<QPoint> dropAt);
  QWidget* WidgetAt(QPoint global) const;

  QWidget* window_;
  TDragHost& host_;
  QPointer<QWidget> source_;
  QPoint pressedAt_;
  bool armed_ = false;
  bool dragging_ = false;
  bool pressEaten_ = false;
  std::optional<TCursorGuard> cursor_;
};

}  // namespace calpero
