#include "ui/tool_separator.h"

#include <QPainter>

namespace calpero {

TToolSeparator::TToolSeparator(QWidget* parent) : QWidget(parent) {}

void TToolSeparator::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const int x = width() / 2 - 1;
  painter.setPen(palette().color(QPalette::Dark));
  painter.drawLine(x, 2, x, height() - 3);
  painter.setPen(palette().color(QPalette::Light));
  painter.drawLine(x + 1, 2, x + 1, height() - 3);
}

}  // namespace calpero
