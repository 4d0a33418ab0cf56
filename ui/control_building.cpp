#include "ui/control_building.h"

#include <array>

#include <QColor>
#include <QPainter>
#include <QSvgRenderer>

#include "ui/desktop_settings.h"

namespace calpero {

QFont PixelFont(const QString& family, int pixels, bool bold, bool italic) {
  QFont font(family);
  font.setPixelSize(pixels);
  font.setBold(bold);
  font.setItalic(italic);
  return font;
}

QString LetterArtwork(std::size_t quantity) {
  constexpr std::array<const char*, 4> kLetters = {"letter-m", "letter-l", "letter-t",
                                                   "letter-time"};
  return QStringLiteral(":/artwork/%1.svg").arg(QLatin1String(kLetters.at(quantity)));
}

QImage InkedArtwork(QSvgRenderer& artwork, QSizeF size, qreal scale, const QColor& ink) {
  QImage art((size * scale).toSize(), QImage::Format_ARGB32_Premultiplied);
  art.fill(Qt::transparent);
  {
    QPainter painter(&art);
    artwork.render(&painter);
  }
  QImage inked = InkSilhouette(art, ink);
  inked.setDevicePixelRatio(scale);
  return inked;
}

}  // namespace calpero
