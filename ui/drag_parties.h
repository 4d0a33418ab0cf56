#pragma once

#include <QPoint>

#include "window/drag_acceptance.h"

class QWidget;

namespace calpero {

class TMainFormControls;

// A control of the main window as a party to a drag, with the control itself (the widget under
// the pointer may be a part of it, such as the list's viewport or an area's inside).
struct TDragControl {
  TDragParty Party = TDragParty::Other;
  QWidget* Control = nullptr;
};

// Tells which party `widget` belongs to, looking at it and then at its enclosing widgets below
// the window: a token by its class; the unit list, the two areas and the trash by being those
// controls of `controls`. Anything else, and a null `widget`, is TDragParty::Other without a
// control.
TDragControl ClassifyDragControl(QWidget* widget, const TMainFormControls& controls);

// `inWindow` (a point in the coordinates of the control's window) in the client coordinates of
// `control`: inside the edge for an area, from the corner for any other control.
QPoint ClientPoint(const TDragControl& control, QPoint inWindow);

}  // namespace calpero
