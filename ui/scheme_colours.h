#pragma once

#include <QColor>
#include <QImage>
#include <QPalette>

namespace calpero {

// The colour for text and artwork that the layout draws black on the desktop's own colour
// (`palette`'s button face): black, unless that colour is dark, where black would vanish and
// the palette's window-text colour is used instead.
QColor DesktopInk(const QPalette& palette);

// The text and selection colours for a control whose background the layout fixes light (the
// cream list and find box): black text, and the selection colours of the style's own light
// palette, so that the control reads the same under any desktop colour scheme.
struct TLightControlColours {
  QColor Text;
  QColor Highlight;
  QColor HighlightedText;
};
TLightControlColours LightControlColours();

// `art` with every drawn pixel in `ink`, keeping its coverage: black artwork recoloured.
QImage InkSilhouette(const QImage& art, const QColor& ink);

}  // namespace calpero
