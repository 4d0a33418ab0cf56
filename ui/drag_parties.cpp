#include "ui/drag_parties.h"

#include <QWidget>

#include "ui/main_form_controls.h"
#include "ui/token_widgets.h"
#include "ui/unit_list_box.h"
#include "ui/window_widgets.h"

namespace calpero {

TDragControl ClassifyDragControl(QWidget* widget, const TMainFormControls& controls) {
  for (; widget != nullptr && !widget->isWindow(); widget = widget->parentWidget()) {
    if (qobject_cast<TTokenLabel*>(widget) != nullptr) {
      return {TDragParty::Token, widget};
    }
    if (widget == controls.UnitsListBox) {
      return {TDragParty::UnitList, widget};
    }
    if (widget == controls.Numerator || widget == controls.Denominator) {
      return {TDragParty::Area, widget};
    }
    if (widget == controls.TrashImage) {
      return {TDragParty::Trash, widget};
    }
  }
  return {};
}

QPoint ClientPoint(const TDragControl& control, QPoint inWindow) {
  const QWidget* window = control.Control->window();
  if (auto* area = qobject_cast<TAreaPanel*>(control.Control)) {
    return area->Client()->mapFrom(window, inWindow);
  }
  return control.Control->mapFrom(window, inWindow);
}

}  // namespace calpero
