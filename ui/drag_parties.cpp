#include "ui/drag_parties.h"

#include <QWidget>

#include "ui/area_panel.h"
#include "ui/token_label.h"

namespace calpero {

TDragControl ClassifyDragControl(QWidget* widget) {
  for (; widget != nullptr && !widget->isWindow(); widget = widget->parentWidget()) {
    if (qobject_cast<TTokenLabel*>(widget) != nullptr) {
      return {TDragParty::Token, widget};
    }
    const QString name = widget->objectName();
    if (name == QLatin1String("UnitsListBox")) {
      return {TDragParty::UnitList, widget};
    }
    if (name == QLatin1String("Numerator") || name == QLatin1String("Denominator")) {
      return {TDragParty::Area, widget};
    }
    if (name == QLatin1String("TrashImage")) {
      return {TDragParty::Trash, widget};
    }
  }
  return {};
}

QPoint ClientPoint(const TDragControl& control, QPoint global) {
  if (auto* area = qobject_cast<TAreaPanel*>(control.Control)) {
    return area->Client()->mapFromGlobal(global);
  }
  return control.Control->mapFromGlobal(global);
}

}  // namespace calpero
