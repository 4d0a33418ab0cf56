#include "ui/area_panel.h"

namespace calpero {

TAreaPanel::TAreaPanel(const QFont& font, const QColor& textColor, QWidget* parent)
    : TPanel(TPanelFrame::SingleLine, parent), client_(new QWidget(this)) {
  SetColor(Qt::black);
  setFont(font);
  QPalette colors = palette();
  colors.setColor(QPalette::WindowText, textColor);
  setPalette(colors);
  client_->setGeometry(ClientRect());
}

void TAreaPanel::resizeEvent(QResizeEvent* event) {
  TPanel::resizeEvent(event);
  client_->setGeometry(ClientRect());
}

}  // namespace calpero
