#include "ui/desktop_settings.h"

#include <utility>

#include <QApplication>
#include <QEvent>
#include <QFont>
#include <QLocale>
#include <QPainter>
#include <QStyle>
#include <QWidget>

#include "catalogue/power_text.h"
#include "window/colour_contrast.h"

namespace calpero {
namespace {

TRgb Rgb(const QColor& colour) {
  const QColor rgb = colour.toRgb();
  return {static_cast<std::uint8_t>(rgb.red()), static_cast<std::uint8_t>(rgb.green()),
          static_cast<std::uint8_t>(rgb.blue())};
}

// Sees the application palette's change arrive at a window, which hands it on to its controls.
class TDesktopColourFollower : public QObject {
 public:
  TDesktopColourFollower(QWidget* window, std::function<void()> recolour)
      : QObject(window), recolour_(std::move(recolour)) {
    window->installEventFilter(this);
  }

 protected:
  bool eventFilter(QObject* watched, QEvent* event) override {
    if (watched == parent() && event->type() == QEvent::ApplicationPaletteChange) {
      recolour_();
    }
    return false;
  }

 private:
  std::function<void()> recolour_;
};

}  // namespace

void InstallFontSubstitutions() {
  QFont::insertSubstitutions(QStringLiteral("Book Antiqua"),
                             {QStringLiteral("TeX Gyre Pagella"), QStringLiteral("P052")});
  for (const QString& windowsFont : {QStringLiteral("MS Sans Serif"), QStringLiteral("Tahoma")}) {
    QFont::insertSubstitutions(windowsFont,
                               {QStringLiteral("Liberation Sans"), QStringLiteral("DejaVu Sans")});
  }
}

std::string DecimalSymbolOf(const QLocale& locale) {
  return locale.decimalPoint().toUtf8().toStdString();
}

void ApplySystemDecimalSeparator() { SetDecimalSeparator(DecimalSymbolOf(QLocale::system())); }

bool IsDarkDesktop(const QPalette& palette) { return IsDark(Rgb(palette.color(QPalette::Button))); }

QImage TurnedOverGreys(const QImage& art) {
  QImage turned = art.convertToFormat(QImage::Format_ARGB32);
  for (int y = 0; y < turned.height(); ++y) {
    auto* line = reinterpret_cast<QRgb*>(turned.scanLine(y));
    for (int x = 0; x < turned.width(); ++x) {
      const QRgb pixel = line[x];
      if (qRed(pixel) == qGreen(pixel) && qGreen(pixel) == qBlue(pixel)) {
        const int grey = 255 - qRed(pixel);
        line[x] = qRgba(grey, grey, grey, qAlpha(pixel));
      }
    }
  }
  return turned;
}

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

void FollowDesktopColours(QWidget* window, std::function<void()> recolour) {
  new TDesktopColourFollower(window, std::move(recolour));
}

}  // namespace calpero
