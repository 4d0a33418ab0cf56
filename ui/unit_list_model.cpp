#include "ui/unit_list_model.h"

#include <QSize>

namespace calpero {
namespace {

constexpr int kItemHeight = 13;

}  // namespace

TUnitListModel::TUnitListModel(QObject* parent) : QAbstractListModel(parent) {}

void TUnitListModel::SetNames(std::vector<std::string> names) {
  beginResetModel();
  names_ = std::move(names);
  endResetModel();
}

int TUnitListModel::rowCount(const QModelIndex& parent) const {
  return parent.isValid() ? 0 : static_cast<int>(names_.size());
}

QVariant TUnitListModel::data(const QModelIndex& index, int role) const {
  if (!index.isValid() || index.row() < 0 || index.row() >= rowCount()) {
    return {};
  }
  if (role == Qt::DisplayRole) {
    const std::string& name = names_[static_cast<std::size_t>(index.row())];
    return QString::fromUtf8(name.data(), static_cast<qsizetype>(name.size()));
  }
  if (role == Qt::SizeHintRole) {
    return QSize(0, kItemHeight);
  }
  return {};
}

}  // namespace calpero
