#include "ui/unit_list_accessible.h"

#include <algorithm>
#include <map>
#include <vector>

#include <QAccessibleWidget>
#include <QItemSelectionModel>
#include <QPointer>
#include <QScrollBar>
#include <QWindow>

#include "ui/spoken_results.h"
#include "ui/unit_list_box.h"

namespace calpero {
namespace {

// One row of the unit list, made only when a screen reader asks for it.
class TUnitRowAccessible : public QAccessibleInterface {
 public:
  TUnitRowAccessible(TUnitListBox* list, int row) : list_(list), row_(row) {}

  int Row() const { return row_; }

  bool isValid() const override { return !list_.isNull() && row_ < list_->count(); }
  QObject* object() const override { return nullptr; }
  QWindow* window() const override {
    return list_.isNull() ? nullptr : list_->window()->windowHandle();
  }
  QAccessibleInterface* focusChild() const override { return nullptr; }
  QAccessibleInterface* childAt(int /*x*/, int /*y*/) const override { return nullptr; }
  QAccessibleInterface* parent() const override {
    return list_.isNull() ? nullptr : QAccessible::queryAccessibleInterface(list_.data());
  }
  QAccessibleInterface* child(int /*index*/) const override { return nullptr; }
  int childCount() const override { return 0; }
  int indexOfChild(const QAccessibleInterface* /*child*/) const override { return -1; }

  QString text(QAccessible::Text kind) const override {
    return kind == QAccessible::Name && isValid() ? list_->ItemText(row_) : QString();
  }
  void setText(QAccessible::Text /*kind*/, const QString& /*text*/) override {}

  QRect rect() const override {
    if (!isValid()) {
      return {};
    }
    const QRect shown = list_->visualItemRect(row_);
    return {list_->viewport()->mapToGlobal(shown.topLeft()), shown.size()};
  }

  QAccessible::Role role() const override { return QAccessible::ListItem; }

  QAccessible::State state() const override {
    QAccessible::State state;
    if (!isValid()) {
      state.invalid = true;
      return state;
    }
    state.selectable = true;
    state.focusable = true;
    const QModelIndex index = list_->model()->index(row_, 0);
    state.selected = list_->selectionModel()->isSelected(index);
    state.focused = list_->hasFocus() && list_->currentIndex() == index;
    const QRect shown = list_->visualItemRect(row_);
    if (!list_->viewport()->rect().intersects(shown)) {
      state.invisible = true;
      state.offscreen = true;
    }
    return state;
  }

 private:
  QPointer<TUnitListBox> list_;
  int row_;
};

// How many rows' interfaces the list keeps at most.
constexpr std::size_t kKeptRows = 512;

class TUnitListAccessible : public QAccessibleWidget {
 public:
  explicit TUnitListAccessible(TUnitListBox* list)
      : QAccessibleWidget(list, QAccessible::List), list_(list) {
    // A reload renumbers the rows: the rows' interfaces made before are let go.
    QObject::connect(list->model(), &QAbstractItemModel::modelAboutToBeReset, list,
                     [this] { ForgetRows(); });
    QObject::connect(list->model(), &QAbstractItemModel::rowsAboutToBeRemoved, list,
                     [this] { ForgetRows(); });
    QObject::connect(list->model(), &QAbstractItemModel::rowsAboutToBeInserted, list,
                     [this] { ForgetRows(); });
  }
  ~TUnitListAccessible() override { ForgetRows(); }
  TUnitListAccessible(const TUnitListAccessible&) = delete;
  TUnitListAccessible& operator=(const TUnitListAccessible&) = delete;

  int childCount() const override { return static_cast<int>(list_->PresentedRows().size()); }

  QAccessibleInterface* child(int index) const override {
    const std::vector<int> rows = list_->PresentedRows();
    if (index < 0 || static_cast<std::size_t>(index) >= rows.size()) {
      return nullptr;
    }
    return RowInterface(rows[static_cast<std::size_t>(index)]);
  }

  int indexOfChild(const QAccessibleInterface* child) const override {
    const auto* row = dynamic_cast<const TUnitRowAccessible*>(child);
    if (row == nullptr || !rowIds_.contains(row->Row()) ||
        QAccessible::accessibleInterface(rowIds_.at(row->Row())) != child) {
      return -1;
    }
    const std::vector<int> rows = list_->PresentedRows();
    const auto at = std::ranges::find(rows, row->Row());
    return at == rows.end() ? -1 : static_cast<int>(at - rows.begin());
  }

  QAccessibleInterface* focusChild() const override {
    const QModelIndex current = list_->currentIndex();
    if (!list_->hasFocus() || !current.isValid()) {
      return nullptr;
    }
    return RowInterface(current.row());
  }

  QAccessibleInterface* childAt(int x, int y) const override {
    const QModelIndex under = list_->indexAt(list_->viewport()->mapFromGlobal(QPoint(x, y)));
    return under.isValid() ? RowInterface(under.row()) : nullptr;
  }

  QString text(QAccessible::Text kind) const override {
    if (kind == QAccessible::Description) {
      return UnitCountSentence(static_cast<std::size_t>(list_->count()));
    }
    return QAccessibleWidget::text(kind);
  }

 private:
  // The interface of `row`, made once and kept until the rows change.
  QAccessibleInterface* RowInterface(int row) const {
    const auto known = rowIds_.find(row);
    if (known != rowIds_.end()) {
      return QAccessible::accessibleInterface(known->second);
    }
    // Rows scrolled past are kept for screen readers that still hold them, up to a bound.
    if (rowIds_.size() >= kKeptRows) {
      const_cast<TUnitListAccessible*>(this)->ForgetRows();
    }
    auto* made = new TUnitRowAccessible(list_, row);
    rowIds_[row] = QAccessible::registerAccessibleInterface(made);
    return made;
  }

  void ForgetRows() {
    for (const auto& [row, id] : rowIds_) {
      QAccessible::deleteAccessibleInterface(id);
    }
    rowIds_.clear();
  }

  TUnitListBox* list_;
  mutable std::map<int, QAccessible::Id> rowIds_;
};

}  // namespace

QAccessibleInterface* MakeUnitListAccessible(TUnitListBox* list) {
  return new TUnitListAccessible(list);
}

}  // namespace calpero
