#include "ui/picture.h"

#include <QPainter>

#include "ui/scheme_colours.h"

namespace calpero {

TPicture::TPicture(const QString& imagePath, QWidget* parent)
    : QWidget(parent), renderer_(imagePath) {}

void TPicture::SetInk(const QColor& ink) {
  ink_ = ink;
  update();
}

void TPicture::paintEvent(QPaintEvent* /*event*/) {
  if (!renderer_.isValid()) {
    return;
  }
  QSizeF size = renderer_.defaultSize();
  size.scale(QSizeF(this->size()), Qt::KeepAspectRatio);
  QRectF target(QPointF(), size);
  target.moveCenter(QRectF(rect()).center());
  QPainter painter(this);
  if (!ink_) {
    renderer_.render(&painter, target);
    return;
  }
  const qreal scale = devicePixelRatioF();
  QImage art((target.size() * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
  art.fill(Qt::transparent);
  {
    QPainter artPainter(&art);
    renderer_.render(&artPainter);
  }
  QImage inked = InkSilhouette(art, *ink_);
  inked.setDevicePixelRatio(scale);
  painter.drawImage(target.topLeft(), inked);
}

}  // namespace calpero
