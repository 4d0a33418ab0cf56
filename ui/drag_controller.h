#pragma once

#include <optional>

#include <QObject>
#include <QPoint>
#include <QPointer>

#include "ui/cursor_guard.h"

class QKeyEvent;
class QMouseEvent;
class QWidget;

namespace calpero {

// When a left press on a control begins its drag: never, at once, or once the pointer has moved
// far enough with the button held.
enum class TDragStart { Never, AtOnce, AfterThreshold };

// What the in-window drag needs of the window: which controls can be dragged, whether a place
// accepts what is dragged, and the handlers to run. Controls are passed as the widgets found under
// the pointer; the window decides which of its controls each belongs to. Positions are in the
// window's own coordinates, taken from the mouse events as the window received them: they are exact
// under any window manager or compositor, framed or not, where a conversion from the desktop's
// coordinates relies on the toolkit knowing where the frame put the window.
class TDragHost {
 public:
  virtual ~TDragHost() = default;

  // The control whose drag a left press on `pressed` begins (nullptr for none) and when it begins.
  virtual QWidget* DragSourceFor(QWidget* pressed, TDragStart& start) = 0;

  // Whether the place `underPointer` (nullptr when the pointer is over no control of the window)
  // accepts a drop of `source` at `inWindow`.
  virtual bool DragOver(QWidget* underPointer, QWidget* source, QPoint inWindow) = 0;

  // Drops `source` on the place `underPointer` at `inWindow`; only called where DragOver accepts.
  virtual void DragDrop(QWidget* underPointer, QWidget* source, QPoint inWindow) = 0;

  // The drag of `source` begins; it ends (dropped, refused or cancelled) with EndDrag.
  virtual void StartDrag(QWidget* source) = 0;
  virtual void EndDrag(QWidget* source) = 0;

 protected:
  TDragHost() = default;
  TDragHost(const TDragHost&) = default;
  TDragHost& operator=(const TDragHost&) = default;
};

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
  void ShowAnswerAt(QPoint inWindow);
  void Finish(std::optional<QPoint> dropAt);
  QWidget* WidgetAt(QPoint inWindow) const;

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
