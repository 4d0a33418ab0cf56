#include "ui/unit_list_box.h"

#include <QElapsedTimer>
#include <QKeyEvent>
#include <QMouseEvent>

#include "app/list_index_error.h"

namespace calpero {
namespace {

constexpr int kItemHeight = 13;

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

TUnitListBox::TUnitListBox(QWidget* parent) : QListWidget(parent), clock_(MonotonicMs) {
  setSelectionMode(QAbstractItemView::SingleSelection);
  setDragEnabled(false);
  setUniformItemSizes(true);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void TUnitListBox::SetNames(const std::vector<std::string>& names) {
  setUpdatesEnabled(false);
  clear();
  for (const std::string& name : names) {
    const QByteArray bytes(name.data(), static_cast<qsizetype>(name.size()));
    auto* item = new QListWidgetItem(QString::fromUtf8(bytes));
    item->setData(Qt::UserRole, bytes);
    item->setSizeHint(QSize(0, kItemHeight));
    addItem(item);
  }
  setUpdatesEnabled(true);
}

std::vector<std::string> TUnitListBox::Names() const {
  std::vector<std::string> names;
  names.reserve(static_cast<std::size_t>(count()));
  for (int row = 0; row < count(); ++row) {
    names.push_back(item(row)->data(Qt::UserRole).toByteArray().toStdString());
  }
  return names;
}

std::optional<std::size_t> TUnitListBox::CurrentIndex() const {
  const QModelIndexList selected = selectionModel()->selectedIndexes();
  if (selected.isEmpty()) {
    return std::nullopt;
  }
  return static_cast<std::size_t>(selected.front().row());
}

void TUnitListBox::SetCurrentIndex(std::optional<std::size_t> index) {
  if (!index || *index >= static_cast<std::size_t>(count())) {
    clearSelection();
    setCurrentItem(nullptr);
    return;
  }
  QListWidgetItem* found = item(static_cast<int>(*index));
  setCurrentItem(found, QItemSelectionModel::ClearAndSelect);
  scrollToItem(found);
}

std::string TUnitListBox::CurrentName() const {
  const auto index = CurrentIndex();
  if (!index) {
    throw EListIndexError(-1);
  }
  return item(static_cast<int>(*index))->data(Qt::UserRole).toByteArray().toStdString();
}

void TUnitListBox::SetClock(std::function<std::int64_t()> clock) { clock_ = std::move(clock); }

void TUnitListBox::mousePressEvent(QMouseEvent* event) {
  if (event->button() != Qt::LeftButton) {
    // The context menu acts on the item selected before; a right-click must not move it.
    event->accept();
    return;
  }
  QMouseEvent plain = WithoutModifiers(*event);
  QListWidget::mousePressEvent(&plain);
  if (itemAt(event->position().toPoint()) != nullptr) {
    emit UserSelected();
  }
}

void TUnitListBox::mouseReleaseEvent(QMouseEvent* event) {
  QMouseEvent plain = WithoutModifiers(*event);
  QListWidget::mouseReleaseEvent(&plain);
}

void TUnitListBox::mouseDoubleClickEvent(QMouseEvent* event) {
  QMouseEvent plain = WithoutModifiers(*event);
  QListWidget::mouseDoubleClickEvent(&plain);
}

void TUnitListBox::keyPressEvent(QKeyEvent* event) {
  if (event->key() == Qt::Key_Backspace) {
    ApplyTypeAhead(typeAhead_.Backspace(clock_(), Names()));
    return;
  }
  if (IsTypedText(*event)) {
    const QByteArray typed = event->text().toUtf8();
    ApplyTypeAhead(typeAhead_.Type(typed.toStdString(), clock_(), Names()));
    return;
  }
  const auto before = CurrentIndex();
  QListWidget::keyPressEvent(event);
  const auto after = CurrentIndex();
  if (after && after != before) {
    emit UserSelected();
  }
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
