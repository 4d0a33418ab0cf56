#pragma once

#include <cstddef>
#include <cstdint>
#include <functional>
#include <optional>
#include <string>
#include <vector>

#include <QAbstractListModel>
#include <QElapsedTimer>
#include <QListView>
#include <QTimer>

#include "catalogue/unit_order.h"
#include "window/list_search.h"

namespace calpero {

// The unit list's rows: the names' stored bytes in the list's order, each shown as UTF-8 text (a
// byte that is not valid UTF-8 shows as a replacement character) and every row of the list's
// fixed height. Nothing is made per row: filling the list takes the names as they are, and a
// row's text is made only when the view draws or asks for it, so a catalogue of 100,000 units
// fills the list at once.
class TUnitListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit TUnitListModel(QObject* parent);

  // Replaces the rows with the catalogue's `names`, given in file order and shown in the list's
  // order (TUnitListOrder): a reload that takes one name out or puts one in removes or inserts
  // that row, any other change resets the model.
  void SetNames(std::vector<std::string> names);

  // The stored names of the rows in order.
  const std::vector<std::string>& Names() const { return order_.Sorted(); }

  // The row count; `parent` must be the invalid index (the list has no tree).
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;

  // The index of `row` (column 0, no parent), or the invalid index outside the rows. The view
  // asks it for every row at each layout, so it answers without the virtual calls of the
  // general check.
  QModelIndex index(int row, int column = 0,
                    const QModelIndex& parent = QModelIndex()) const override;

  // The text of the row (display role) and its size (the fixed height); for a row whose section
  // an earlier one of the same name hides, a hint that says so (tooltip and accessible
  // description); nothing for other roles or an index outside the rows.
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  TUnitListOrder order_;
};

// The unit list: single selection, the catalogue's names shown in the list's order, each row
// keeping the name's stored bytes so that a name that is not valid UTF-8 is still read, trashed and
// erased exactly. The list's current item is its selected item; a right-click, a press on the empty
// part below the items and Ctrl+Space leave it alone: the user picks another item but never picks
// none. Every change of the selection by the user (a left press on an item, arrow and page keys,
// type-ahead, Enter on the current item) is reported by UserSelected; changes made by the program
// are not. The rows are a model over the names (TUnitListModel) of uniform height, so a list of
// many thousand units fills and scrolls at once.
class TUnitListBox : public QListView {
  Q_OBJECT

 public:
  explicit TUnitListBox(QWidget* parent);

  // Replaces the items with the catalogue's `names`, in file order, at once; afterwards no item is
  // current. When one unit came or went, the rest keep their places in view.
  void SetNames(std::vector<std::string> names);

  // The stored names of the items in list order.
  const std::vector<std::string>& Names() const;

  // The number of items.
  int count() const;

  // The text shown for item `row`, which must be below count().
  QString ItemText(int row) const;

  // Where item `row` is drawn, in the coordinates of the viewport.
  QRect visualItemRect(int row) const;

  // The index of the current item, if there is one.
  std::optional<std::size_t> CurrentIndex() const;

  // Makes item `index` current and scrolls it into view, or leaves no item current when
  // `index` is empty. Does not report UserSelected.
  void SetCurrentIndex(std::optional<std::size_t> index);

  // The stored name of the current item. Throws EListIndexError with -1 when none is current.
  std::string CurrentName() const;

  // The rows that screen readers are shown as the list's items: the current row first (a screen
  // reader looks for the focused item child by child, asking each one's state), then the rows in
  // view in list order. A few dozen at most, however many units there are.
  std::vector<int> PresentedRows() const;

  // The place of `row` among PresentedRows(), or -1 when it is not one of them.
  int PresentedIndex(int row) const;

  // Replaces the type-ahead's clock (milliseconds, monotonic); tests pass their own.
  void SetClock(std::function<std::int64_t()> clock);

 signals:
  void UserSelected();
  // Screen readers, if any listen, have just been told that `row` has the focus.
  void FocusTold(int row);
  // The moves of the current row have rested (a burst of them is over): whatever waits to tell
  // screen readers of the row they rest on may tell them now, together with the row.
  void MovesRested();

 protected:
  void mousePressEvent(QMouseEvent* event) override;
  void mouseReleaseEvent(QMouseEvent* event) override;
  void mouseDoubleClickEvent(QMouseEvent* event) override;
  void keyPressEvent(QKeyEvent* event) override;
  void focusInEvent(QFocusEvent* event) override;
  QItemSelectionModel::SelectionFlags selectionCommand(const QModelIndex& index,
                                                       const QEvent* event) const override;
  // Tells screen readers that the new current row has the focus only while the list itself has
  // the keyboard focus (a find moves the current row while the keys go to the find box), once
  // the moves rest.
  void currentChanged(const QModelIndex& current, const QModelIndex& previous) override;
  // Leaves screen readers to read the selection from the rows' states (the focus tells of it).
  void selectionChanged(const QItemSelection& selected, const QItemSelection& deselected) override;
  // A scroll changes the rows that screen readers are shown.
  void scrollContentsBy(int dx, int dy) override;

 private:
  void ApplyTypeAhead(const TTypeAheadStep& step);
  // Tells screen readers that the current row has the focus, while the list has it.
  void TellFocus();
  // The moves have rested: tells the row they rest on, then MovesRested.
  void EndMoves();

  TUnitListModel* model_;
  bool reloading_ = false;      // SetNames is changing the rows
  bool focusArriving_ = false;  // the list is taking the focus, which may make a row current
  QElapsedTimer focusTold_;     // since the last focus event of a row, or the first move after it
  QElapsedTimer lastMove_;      // since the last move of the current row
  bool pressMoving_ = false;    // a key press that is not a held key's repeat is being handled
  QTimer focusPending_;         // tells the row that a burst of moves rests on
  TTypeAhead typeAhead_;
  std::function<std::int64_t()> clock_;
};

}  // namespace calpero
