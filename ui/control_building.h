#pragma once

// The helpers that both windows build their controls with: pixel-sized fonts, a control put in
// its place under its name with its hint, and the letter pictures of the four quantities, drawn
// in the desktop's ink.

#include <cstddef>

#include <QFont>
#include <QImage>
#include <QLatin1String>
#include <QRect>
#include <QSizeF>
#include <QString>

#include "ui/hint.h"

class QColor;
class QSvgRenderer;

namespace calpero {

// A font of `family` given by its pixel height, as the windows' layouts measure everything in
// pixels.
QFont PixelFont(const QString& family, int pixels, bool bold = false, bool italic = false);

// Names `widget` as the window's code names it, puts it at `geometry` in its parent's coordinates
// and gives it `hint` (none when empty). Returns `widget`.
template <typename Widget>
Widget* Place(Widget* widget, const char* name, QRect geometry, const QString& hint = {}) {
  widget->setObjectName(QLatin1String(name));
  widget->setGeometry(geometry);
  if (!hint.isEmpty()) {
    SetHint(widget, hint);
  }
  return widget;
}

// The artwork of the letter of `quantity`: 0 Mass (M), 1 Length (L), 2 Temperature (T), 3 Time (t).
QString LetterArtwork(std::size_t quantity);

// One-colour artwork (a letter) as the windows draw it: scaled to `size` (which keeps the
// artwork's proportions), as a silhouette in `ink`, with `scale` device pixels to a pixel.
QImage InkedArtwork(QSvgRenderer& artwork, QSizeF size, qreal scale, const QColor& ink);

}  // namespace calpero
