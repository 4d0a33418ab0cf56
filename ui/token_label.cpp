#include "ui/token_label.h"

#include <QPainter>

#include "app/accelerator_text.h"
#include "ui/hint.h"

namespace calpero {
namespace {

QString RunText(const TTextRun& run) {
  return QString::fromUtf8(run.Text.data(), static_cast<qsizetype>(run.Text.size()));
}

}  // namespace

TTextExtent MeasureCaption(const QFont& font, std::string_view caption) {
  const QFontMetrics metrics(font);
  int width = 0;
  for (const TTextRun& run : AcceleratorRuns(caption)) {
    width += metrics.horizontalAdvance(RunText(run));
  }
  return {width, metrics.height()};
}

TTokenLabel::TTokenLabel(TTokenId id, std::string caption, QWidget* parent)
    : QWidget(parent), id_(id), caption_(std::move(caption)) {
  const QString name = QString::fromUtf8(caption_.data(), static_cast<qsizetype>(caption_.size()));
  SetHint(this, name);
  // Read out by the unit's name, as it is shown; described by its hint, as every control is.
  setAccessibleName(name);
  setAccessibleDescription(name);
  setContextMenuPolicy(Qt::CustomContextMenu);
}

void TTokenLabel::SetDragged(bool dragged) {
  dragged_ = dragged;
  update();
}

QColor TTokenLabel::TextColor() const {
  return dragged_ ? QColor(255, 0, 0) : palette().color(QPalette::WindowText);
}

void TTokenLabel::paintEvent(QPaintEvent* /*event*/) {
  QPainter painter(this);
  painter.setPen(TextColor());
  QFont plain = font();
  QFont underlined = font();
  underlined.setUnderline(true);
  const int baseline = QFontMetrics(plain).ascent();
  int x = 0;
  for (const TTextRun& run : AcceleratorRuns(caption_)) {
    const QString text = RunText(run);
    painter.setFont(run.Underlined ? underlined : plain);
    painter.drawText(x, baseline, text);
    x += QFontMetrics(plain).horizontalAdvance(text);
  }
}

}  // namespace calpero
