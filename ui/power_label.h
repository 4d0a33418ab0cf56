#pragma once

#include <QLabel>

namespace calpero {

// A label of a power row: shows the power of one quantity (Mass, Length, Temperature or Time)
// and tells a screen reader both, as "Mass 1.00".
class TPowerLabel : public QLabel {
  Q_OBJECT

 public:
  // `quantity` is the name of the quantity whose power the label shows; it starts at "0.00".
  TPowerLabel(QString quantity, QWidget* parent);

  const QString& Quantity() const { return quantity_; }

 private:
  QString quantity_;
};

}  // namespace calpero
