#include "ui/window_widgets.h"

#include <utility>

#include <QHelpEvent>
#include <QPainter>
#include <QToolTip>

#include "ui/control_building.h"
#include "ui/screen_readers.h"

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
  painter.drawImage(target.topLeft(),
                    InkedArtwork(renderer_, target.size(), devicePixelRatioF(), *ink_));
}

TPowerLabel::TPowerLabel(QString quantity, QWidget* parent)
    : QLabel(QStringLiteral("0.00"), parent), quantity_(std::move(quantity)) {
  // A label without a name of its own tells screen readers of each new text at once; this one
  // has one, kept as the last name told, and tells them when the texts have settled.
  setAccessibleName(SpokenName());
  settled_.setSingleShot(true);
  settled_.setInterval(kSettleMs);
  connect(&settled_, &QTimer::timeout, this, &TPowerLabel::TellName);
}

void TPowerLabel::ShowPower(const QString& power, TTold when) {
  setText(power);
  if (when == TTold::AtOnce) {
    settled_.stop();
    TellName();
    return;
  }
  settled_.start();
}

void TPowerLabel::TellSettledNow() {
  if (settled_.isActive()) {
    settled_.stop();
    TellName();
  }
}

QString TPowerLabel::SpokenName() const { return quantity_ + QLatin1Char(' ') + text(); }

void TPowerLabel::TellName() {
  if (accessibleName() != SpokenName()) {
    setAccessibleName(SpokenName());
  }
}

bool TPowerLabel::FitsAtItsSize() const {
  return QFontMetrics(font()).horizontalAdvance(text()) <= kRoom;
}

QFont TPowerLabel::ShownFont() const {
  QFont shown = font();
  const int pixels = shown.pixelSize();
  for (int size = pixels; size >= kLeastPixels; --size) {
    shown.setPixelSize(size);
    if (QFontMetrics(shown).horizontalAdvance(text()) <= kRoom) {
      break;
    }
  }
  return shown;
}

QString TPowerLabel::ShownText() const {
  return QFontMetrics(ShownFont()).elidedText(text(), Qt::ElideMiddle, kRoom);
}

void TPowerLabel::paintEvent(QPaintEvent* event) {
  if (FitsAtItsSize()) {
    QLabel::paintEvent(event);
    return;
  }
  // On the baseline of the label's own font, so that the row's digits stand on one line.
  QPainter painter(this);
  painter.setPen(palette().color(QPalette::WindowText));
  painter.setFont(ShownFont());
  painter.drawText(0, QFontMetrics(font()).ascent(), ShownText());
}

bool TPowerLabel::event(QEvent* event) {
  if (event->type() == QEvent::ToolTip && !FitsAtItsSize()) {
    QToolTip::showText(static_cast<QHelpEvent*>(event)->globalPos(), text(), this);
    return true;
  }
  return QLabel::event(event);
}

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
