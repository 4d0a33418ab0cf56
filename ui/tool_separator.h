#pragma once

#include <QWidget>

namespace calpero {

// The gap between groups of toolbar buttons: an etched vertical line in the middle of its width.
class TToolSeparator : public QWidget {
  Q_OBJECT

 public:
  explicit TToolSeparator(QWidget* parent);

 protected:
  void paintEvent(QPaintEvent* event) override;
};

}  // namespace calpero
