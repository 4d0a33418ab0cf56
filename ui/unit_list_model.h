#pragma once

#include <string>
#include <vector>

#include <QAbstractListModel>

namespace calpero {

// The unit list's rows: the names' stored bytes in the order given, each shown as UTF-8 text (a
// byte that is not valid UTF-8 shows as a replacement character) and every row of the list's
// fixed height. Nothing is made per row: filling the list takes the names as they are, and a
// row's text is made only when the view draws or asks for it, so a catalogue of 100,000 units
// fills the list at once.
class TUnitListModel : public QAbstractListModel {
  Q_OBJECT

 public:
  explicit TUnitListModel(QObject* parent);

  // Replaces the rows with `names`, in one reset of the model.
  void SetNames(std::vector<std::string> names);

  // The stored names of the rows in order.
  const std::vector<std::string>& Names() const { return names_; }

  // The row count; `parent` must be the invalid index (the list has no tree).
  int rowCount(const QModelIndex& parent = QModelIndex()) const override;

  // The text of the row (display role) and its size (the fixed height); nothing for other roles
  // or an index outside the rows.
  QVariant data(const QModelIndex& index, int role) const override;

 private:
  std::vector<std::string> names_;
};

}  // namespace calpero
