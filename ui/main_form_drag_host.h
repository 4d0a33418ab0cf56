#pragma once

#include <optional>
#include <string>

#include "ui/drag_controller.h"

namespace calpero {

class TMainForm;

// The main window's side of its drag and drop: which press begins a drag and when, which place
// accepts what (the parties' acceptance table, AcceptsDrop), and which of the window's handlers a
// drop runs, at the point in the target's client coordinates. A token being dragged is drawn red;
// a drag from the unit list carries the unit that the press picked up.
class TMainFormDragHost final : public TDragHost {
 public:
  explicit TMainFormDragHost(TMainForm& form);

  // The unit that a drop from the list acts on: the one that a list drag going on carries, else
  // the list's current item. Throws EListIndexError when there is neither.
  std::string ListUnitName() const;

  QWidget* DragSourceFor(QWidget* pressed, TDragStart& start) override;
  bool DragOver(QWidget* underPointer, QWidget* source, QPoint inWindow) override;
  void DragDrop(QWidget* underPointer, QWidget* source, QPoint inWindow) override;
  void StartDrag(QWidget* source) override;
  void EndDrag(QWidget* source) override;

 private:
  // A list drag going on, with the unit it carries (none when the list had no current item as
  // the drag began).
  struct TListDrag {
    std::optional<std::string> Unit;
  };

  TMainForm& form_;
  std::optional<TListDrag> listDrag_;
};

}  // namespace calpero
