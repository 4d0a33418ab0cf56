#include "ui/main_form_drag_host.h"

#include "ui/drag_parties.h"
#include "ui/main_form.h"
#include "ui/message_boxes.h"
#include "window/drag_acceptance.h"
#include "window/error_text.h"

namespace calpero {

TMainFormDragHost::TMainFormDragHost(TMainForm& form) : form_(form) {}

std::string TMainFormDragHost::ListUnitName() const {
  if (!listDrag_) {
    return form_.Controls().UnitsListBox->CurrentName();
  }
  if (!listDrag_->Unit) {
    throw EListIndexError(-1);
  }
  return *listDrag_->Unit;
}

QWidget* TMainFormDragHost::DragSourceFor(QWidget* pressed, TDragStart& start) {
  const TDragControl control = ClassifyDragControl(pressed, form_.Controls());
  switch (control.Party) {
    case TDragParty::Token:
    case TDragParty::Trash:
      start = TDragStart::AtOnce;
      return control.Control;
    case TDragParty::UnitList:
      // Only the items' part drags; the scroll bars work as scroll bars.
      start = pressed == form_.Controls().UnitsListBox->viewport() ? TDragStart::AfterThreshold
                                                                   : TDragStart::Never;
      return control.Control;
    case TDragParty::Area:
    case TDragParty::Other:
      break;
  }
  start = TDragStart::Never;
  return nullptr;
}

bool TMainFormDragHost::DragOver(QWidget* underPointer, QWidget* source, QPoint /*inWindow*/) {
  return AcceptsDrop(ClassifyDragControl(underPointer, form_.Controls()).Party,
                     ClassifyDragControl(source, form_.Controls()).Party);
}

void TMainFormDragHost::DragDrop(QWidget* underPointer, QWidget* source, QPoint inWindow) {
  const TDragControl target = ClassifyDragControl(underPointer, form_.Controls());
  const QPoint at = ClientPoint(target, inWindow);
  RunHandler([&] {
    switch (target.Party) {
      case TDragParty::Area:
      case TDragParty::Token:
        form_.NumeratorDragDrop(target.Control, source, at.x(), at.y());
        break;
      case TDragParty::UnitList:
        form_.UnitsListBoxDragDrop(source);
        break;
      case TDragParty::Trash:
        form_.TrashImageDragDrop(source);
        break;
      case TDragParty::Other:
        break;
    }
  });
}

void TMainFormDragHost::StartDrag(QWidget* source) {
  TUnitListBox* list = form_.Controls().UnitsListBox;
  if (auto* token = qobject_cast<TTokenLabel*>(source)) {
    form_.TokenStartDrag(token);
  } else if (source == list) {
    // The unit that the press picked up, by its name: whatever happens to the list until the
    // drop (a reload, a find), the drop acts on this unit.
    const auto index = list->CurrentIndex();
    listDrag_.emplace();
    if (index) {
      listDrag_->Unit = list->Names()[*index];
    }
  }
}

void TMainFormDragHost::EndDrag(QWidget* source) {
  listDrag_.reset();
  if (auto* token = qobject_cast<TTokenLabel*>(source)) {
    form_.TokenEndDrag(token);
  }
}

}  // namespace calpero
