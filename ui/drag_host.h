#pragma once

#include <QPoint>

class QWidget;

namespace calpero {

// When a left press on a control begins its drag: never, at once, or once the pointer has moved
// far enough with the button held.
enum class TDragStart { Never, AtOnce, AfterThreshold };

// What the in-window drag needs of the window: which controls can be dragged, whether a place
// accepts what is dragged, and the handlers to run. Controls are passed as the widgets found under
// the pointer; the window decides which of its controls each belongs to. Positions are global.
class TDragHost {
 public:
  virtual ~TDragHost() = default;

  // The control whose drag a left press on `pressed` begins (nullptr for none) and when it begins.
  virtual QWidget* DragSourceFor(QWidget* pressed, TDragStart& start) = 0;

  // Whether the place `underPointer` (nullptr when the pointer is over no control of the window)
  // accepts a drop of `source` at `global`.
  virtual bool DragOver(QWidget* underPointer, QWidget* source, QPoint global) = 0;

  // Drops `source` on the place `underPointer` at `global`; only called where DragOver accepts.
  virtual void DragDrop(QWidget* underPointer, QWidget* source, QPoint global) = 0;

  // The drag of `source` begins; it ends (dropped, refused or cancelled) with EndDrag.
  virtual void StartDrag(QWidget* source) = 0;
  virtual void EndDrag(QWidget* source) = 0;

 protected:
  TDragHost() = default;
  TDragHost(const TDragHost&) = default;
  TDragHost& operator=(const TDragHost&) = default;
};

}  // namespace calpero
