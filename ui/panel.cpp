#include "ui/panel.h"

#include <QPainter>

namespace calpero {
namespace {

// One ring of a bevel: `topLeft` along the top and left edges, `bottomRight` along the others.
void DrawBevelRing(QPainter& painter, const QRect& rect, const QColor& topLeft,
                   const QColor& bottomRight) {
  painter.setPen(topLeft);
  painter.drawLine(rect.topLeft(), rect.topRight());
  painter.drawLine(rect.topLeft(), rect.bottomLeft());
  painter.setPen(bottomRight);
  painter.drawLine(rect.bottomLeft(), rect.bottomRight());
  painter.drawLine(rect.topRight(), rect.bottomRight());
}

}  // namespace

TPanel::TPanel(TPanelFrame frame, QWidget* parent) : QWidget(parent), frame_(frame) {}

void TPanel::SetColor(const QColor& color) {
  QPalette colors = palette();
  colors.setColor(QPalette::Window, color);
  setPalette(colors);
  setAutoFillBackground(true);
}

int TPanel::FrameWidth() const {
  switch (frame_) {
    case TPanelFrame::None:
      return 0;
    case TPanelFrame::SingleLine:
      return 1;
    case TPanelFrame::RaisedOverLowered:
      return 2;
  }
  return 0;
}

QRect TPanel::ClientRect() const {
  const int width = FrameWidth();
  return rect().adjusted(width, width, -width, -width);
}

void TPanel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  const QRect outer = rect();
  if (frame_ == TPanelFrame::SingleLine) {
    painter.setPen(Qt::black);
    painter.setBrush(Qt::NoBrush);
    painter.drawRect(outer.adjusted(0, 0, -1, -1));
  } else if (frame_ == TPanelFrame::RaisedOverLowered) {
    const QColor light = palette().color(QPalette::Light);
    const QColor dark = palette().color(QPalette::Dark);
    DrawBevelRing(painter, outer, light, dark);
    DrawBevelRing(painter, outer.adjusted(1, 1, -1, -1), dark, light);
  }
}

}  // namespace calpero
