#include "ui/picture.h"

#include <QPainter>

namespace calpero {

TPicture::TPicture(const QString& imagePath, QWidget* parent)
    : QWidget(parent), renderer_(imagePath) {}

void TPicture::paintEvent(QPaintEvent* /*event*/) {
  if (!renderer_.isValid()) {
    return;
  }
  QSizeF size = renderer_.defaultSize();
  size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
  QRectF target(QPointF(), size);
  target.moveCenter(QRectF(rect()).center());
  QPainter painter(this);
  renderer_.render(&painter, target);
}

}  // namespace calpero
