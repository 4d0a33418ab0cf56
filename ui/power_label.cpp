#include "ui/power_label.h"

#include <utility>

namespace calpero {

TPowerLabel::TPowerLabel(QString quantity, QWidget* parent)
    : QLabel(QStringLiteral("0.00"), parent), quantity_(std::move(quantity)) {}

}  // namespace calpero
