#include "ui/unit_list_box.h"

#include <algorithm>

#include <QAccessible>
#include <QCoreApplication>
#include <QElapsedTimer>
#include <QItemSelectionModel>
#include <QKeyEvent>
#include <QMouseEvent>
#include <QSize>

#include "ui/screen_readers.h"
#include "window/error_text.h"

namespace calpero {
namespace {

// The height of every row of the list, in pixels.
constexpr int kItemHeight = 13;

// The longest time between two focus events of the list's rows while its moves go on without
// a rest (a key held down for long), in milliseconds.
constexpr qint64 kFocusHeldMs = 500;

// The shortest rest after which a burst of separate key presses is told.
constexpr qint64 kLeastPressRestMs = kSettleMs / 2;

std::int64_t MonotonicMs() {
  static const QElapsedTimer started = [] {
    QElapsedTimer timer;
    timer.start();
    return timer;
  }();
  return started.elapsed();
}

// Text that a type-ahead key adds: printable characters typed without Ctrl or Alt.
bool IsTypedText(const QKeyEvent& event) {
  if (event.text().isEmpty() ||
      (event.modifiers() & (Qt::ControlModifier | Qt::AltModifier | Qt::MetaModifier)) != 0) {
    return false;
  }
  return event.text().front().isPrint();
}

// The same mouse event without Shift, Ctrl or Alt: with them the view would extend or drop the
// selection, while a click on this list always selects the item under the pointer.
QMouseEvent WithoutModifiers(const QMouseEvent& event) {
  return {event.type(),   event.position(), event.scenePosition(), event.globalPosition(),
          event.button(), event.buttons(),  Qt::NoModifier,        event.pointingDevice()};
}

}  // namespace

TUnitListModel::TUnitListModel(QObject* parent) : QAbstractListModel(parent) {}

void TUnitListModel::SetNames(std::vector<std::string> names) {
  const TOrderChange change = order_.Change(names);
  const int row = static_cast<int>(change.Row);
  switch (change.Kind) {
    case TOrderChange::TKind::Removed:
      beginRemoveRows({}, row, row);
      order_.Update(std::move(names));
      endRemoveRows();
      break;
    case TOrderChange::TKind::Inserted:
      beginInsertRows({}, row, row);
      order_.Update(std::move(names));
      endInsertRows();
      break;
    case TOrderChange::TKind::Sorted:
      beginResetModel();
      order_.Update(std::move(names));
      endResetModel();
      break;
    case TOrderChange::TKind::None:
      order_.Update(std::move(names));
      break;
  }
}

int TUnitListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(Names().size());
}

QModelIndex TUnitListModel::index(int row, int column, const QModelIndex& parent) const {
  if (parent.isValid() || column != 0 || row < 0 ||
      static_cast<std::size_t>(row) >= Names().size()) {
    return {};
  }
  return createIndex(row, column);
}

QVariant TUnitListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) {
    return {};
  }
  if (role == Qt::DisplayRole) {
    const std::string& name = Names()[static_cast<std::size_t>(index.row())];
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  }
  if (role == Qt::SizeHintRole) {
    return QSize(0, kItemHeight);
  }
  if (role == Qt::ToolTipRole || role == Qt::AccessibleDescriptionRole) {
    // A section that an earlier one of the same name hides (a hand-edited file): everything done
    // through this item acts on that one, which its hint says.
    const std::string_view shadow = order_.ShadowedBy(static_cast<std::size_t>(index.row()));
    if (!shadow.empty()) {
      return QCoreApplication::translate(
                 "MainForm",
                 "Hidden by %1, which comes first in the catalogue: this item acts on it")
          .arg(QString::fromUtf8(shadow.data(), static_cast<qsizetype>(shadow.size())));
    }
  }
  return {};
}

TUnitListBox::TUnitListBox(QWidget* parent)
    : QListView(parent), model_(new TUnitListModel(this)), clock_(MonotonicMs) {
  setModel(model_);
  setSelectionMode(QAbstractItemView::SingleSelection);
  setEditTriggers(QAbstractItemView::NoEditTriggers);
  setDragEnabled(false);
  // Every row has the model's one height, so the view never measures row by row.
  setUniformItemSizes(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
  focusPending_.setSingleShot(true);
  connect(&focusPending_, &QTimer::timeout, this, &TUnitListBox::EndMoves);
}

void TUnitListBox::SetNames(std::vector<std::string> names) {
  // The rows change in place, so the view keeps its scroll position. The current row is let go
  // first: were it taken out, the view would make a neighbour current and scroll to it.
  reloading_ = true;
  SetCurrentIndex(std::nullopt);
  model_->SetNames(std::move(names));
  reloading_ = false;
  // Screen readers are told nothing of the new rows: they ask for the rows in view when they
  // present the list. Qt's AT-SPI bridge turns a reorder event into one children-changed signal
  // per row in view, each of a form that AT-SPI clients reject with a warning.
}

const std::vector<std::string>& TUnitListBox::Names() const { return model_->Names(); }

int TUnitListBox::count() const { return model_->rowCount(); }

QString TUnitListBox::ItemText(int row) const {
  return model_->data(model_->index(row), Qt::DisplayRole).toString();
}

QRect TUnitListBox::visualItemRect(int row) const { return visualRect(model_->index(row)); }

std::optional<std::size_t> TUnitListBox::CurrentIndex() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(selected.front().row());
}

void TUnitListBox::SetCurrentIndex(std::optional<std::size_t> index) {
  if (!index || *index >= Names().size()) {
    clearSelection();
    selectionModel()->setCurrentIndex(QModelIndex(), QItemSelectionModel::NoUpdate);
    return;
  }
  const QModelIndex found = model_->index(static_cast<int>(*index));
  selectionModel()->setCurrentIndex(found, QItemSelectionModel::ClearAndSelect);
  scrollTo(found);
}

std::string TUnitListBox::CurrentName() const {
  const auto index = CurrentIndex();
  if (!index) {
    throw EListIndexError(-1);
  }
  return Names()[*index];
}

void TUnitListBox::SetClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

void TUnitListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    // The context menu acts on the item selected before; a right-click must not move it.
    event->accept();
    return;
  }
  QMouseEvent plain = WithoutModifiers(*event);
  QListView::mousePressEvent(&plain);
  if (indexAt(event->position().toPoint()).isValid()) {
    emit UserSelected();
  }
}

void TUnitListBox::mouseReleaseEvent(QMouseEvent* event) {
  QMouseEvent plain = WithoutModifiers(*event);
  QListView::mouseReleaseEvent(&plain);
}

void TUnitListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QMouseEvent plain = WithoutModifiers(*event);
  QListView::mouseDoubleClickEvent(&plain);
}

void TUnitListBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace) {
    ApplyTypeAhead(typeAhead_.Backspace(clock_(), Names()));
    return;
  }
  // Enter reads the current item as a click on it would; without one there is nothing to read.
  if ((event->key() == Qt::Key_Return || event->key() == Qt::Key_Enter) && CurrentIndex()) {
    emit UserSelected();
    return;
  }
  if (IsTypedText(*event)) {
    const QByteArray typed = event->text().toUtf8();
    ApplyTypeAhead(typeAhead_.Type(typed.toStdString(), clock_(), Names()));
    return;
  }
  const auto before = CurrentIndex();
  pressMoving_ = !event->isAutoRepeat();
  QListView::keyPressEvent(event);
  pressMoving_ = false;
  const auto after = CurrentIndex();
  if (after && after != before) {
    emit UserSelected();
  }
}

void TUnitListBox::focusInEvent(QFocusEvent* event) {
  // Taking the focus with no current row makes the first row current. That is where the cursor
  // starts, not a move: the list's own focus event presents the list, its name and how many units
  // it holds, as a Tab into it does. Telling the row as well would reach a busy screen reader
  // while it is still behind on the list's event, and it would present only the row, with the
  // list as a mere parent counted by its rows in view.
  focusArriving_ = true;
  QListView::focusInEvent(event);
  focusArriving_ = false;
}

QItemSelectionModel::SelectionFlags TUnitListBox::selectionCommand(const QModelIndex& index,
                                                                   const QEvent* event) const {
  // Only the program empties the selection (a find without a match, a reload). A press beside the
  // items and Ctrl+Space, which would empty it, leave the item picked before, which the add
  // buttons and a drag from the list go on adding.
  const QItemSelectionModel::SelectionFlags command = QListView::selectionCommand(index, event);
  if (!index.isValid() || command.testFlag(QItemSelectionModel::Deselect)) {
    return QItemSelectionModel::NoUpdate;
  }
  return command;
}

void TUnitListBox::currentChanged(const QModelIndex& current, const QModelIndex& previous) {
  // QListView's own currentChanged tells screen readers that the current row has the focus
  // whether the list has it or not; a screen reader then presents the whole list in the middle of
  // the letters typed in the find box. Its base class does the rest (scrolling, repainting).
  // NOLINTNEXTLINE(bugprone-parent-virtual-call)
  QAbstractItemView::currentChanged(current, previous);
  if (!current.isValid() || !hasFocus() || reloading_ || focusArriving_) {
    return;
  }
  // The row is told once the moves rest for kSettleMs, and at least every kFocusHeldMs while
  // they go on (a key held down). A screen reader busy with the row of one move holds back the
  // keys that come after it, so a burst of moves (keys pressed in quick succession, a key held
  // down) is told by the row it rests on: the keys reach the list at once and the screen reader
  // reads the row a person stops on.
  if (focusPending_.isActive() && focusTold_.isValid() && focusTold_.elapsed() >= kFocusHeldMs) {
    TellFocus();
    return;
  }
  // Separate presses of a key (not a key held down) come at the pace of the hand that presses
  // them, steady within a burst: the burst is taken as over once one and a half of the last
  // interval has passed without a press, and at the latest after kSettleMs. A held key's
  // repeats keep the whole kSettleMs.
  qint64 rest = kSettleMs;
  if (focusPending_.isActive() && pressMoving_ && lastMove_.isValid()) {
    rest = std::clamp(lastMove_.elapsed() * 3 / 2, kLeastPressRestMs, qint64{kSettleMs});
  }
  lastMove_.start();
  if (!focusPending_.isActive()) {
    focusTold_.start();
  }
  focusPending_.start(static_cast<int>(rest));
}

void TUnitListBox::EndMoves() {
  TellFocus();
  emit MovesRested();
}

void TUnitListBox::TellFocus() {
  focusPending_.stop();
  const QModelIndex current = currentIndex();
  if (!current.isValid() || !hasFocus()) {
    return;
  }
  focusTold_.start();
  emit FocusTold(current.row());
  if (QAccessible::isActive()) {
    QAccessibleEvent focused(this, QAccessible::Focus);
    focused.setChild(PresentedIndex(current.row()));
    QAccessible::updateAccessibility(&focused);
  }
}

void TUnitListBox::selectionChanged(const QItemSelection& selected,
                                    const QItemSelection& deselected) {
  // QListView's own selectionChanged tells screen readers of each row selected and unselected,
  // numbered as if every unit were a child. Here the selected row is the current one: while the
  // list has the focus, the focus event tells of it, and otherwise (a find) nothing should be
  // presented; the rows' states say which is selected to whoever asks.
  // NOLINTNEXTLINE(bugprone-parent-virtual-call)
  QAbstractItemView::selectionChanged(selected, deselected);
}

void TUnitListBox::scrollContentsBy(int dx, int dy) {
  QListView::scrollContentsBy(dx, dy);
  if (dy != 0 && QAccessible::isActive()) {
    QAccessibleEvent shown(this, QAccessible::VisibleDataChanged);
    QAccessible::updateAccessibility(&shown);
  }
}

std::vector<int> TUnitListBox::PresentedRows() const {
  std::vector<int> rows;
  const QModelIndex current = currentIndex();
  if (current.isValid()) {
    rows.push_back(current.row());
  }
  const QModelIndex first = indexAt(QPoint(1, 1));
  if (first.isValid()) {
    QModelIndex last = indexAt(QPoint(1, viewport()->height() - 1));
    const int lastRow = last.isValid() ? last.row() : count() - 1;
    for (int row = first.row(); row <= lastRow; ++row) {
      if (row != current.row()) {
        rows.push_back(row);
      }
    }
  }
  return rows;
}

int TUnitListBox::PresentedIndex(int row) const {
  const std::vector<int> rows = PresentedRows();
  const auto at = std::ranges::find(rows, row);
  return at != rows.end() ? static_cast<int>(at - rows.begin()) : -1;
}

void TUnitListBox::ApplyTypeAhead(const TTypeAheadStep& step) {
  if (step.Index) {
    SetCurrentIndex(step.Index);
  }
  if (step.CountsAsClick) {
    emit UserSelected();
  }
}

}  // namespace calpero
