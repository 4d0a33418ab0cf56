#include "ui/scheme_colours.h"

#include <QApplication>
#include <QPainter>
#include <QStyle>

#include "app/colour_contrast.h"

namespace calpero {
namespace {

TRgb Rgb(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
          static_cast<std::uint8_t>(rgb.blue())};
}

}  // namespace

QColor DesktopInk(const QPalette& palette) {
  return IsDark(Rgb(palette.color(QPalette::Button))) ? palette.color(QPalette::WindowText)
                                                      : QColor(Qt::black);
}

TLightControlColours LightControlColours() {
  const QPalette light = QApplication::style()->standardPalette();
  return {Qt::black, light.color(QPalette::Active, QPalette::Highlight),
          light.color(QPalette::Active, QPalette::HighlightedText)};
}

QImage InkSilhouette(const QImage& art, const QColor& ink) {
  QImage inked = art.convertToFormat(QImage::Format_ARGB32_Premultiplied);
  QPainter painter(&inked);
  painter.setCompositionMode(QPainter::CompositionMode_SourceIn);
  painter.fillRect(inked.rect(), ink);
  return inked;
}

}  // namespace calpero
