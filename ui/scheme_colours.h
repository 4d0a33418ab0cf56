#pragma once

#include <functional>

#include <QColor>
#include <QImage>
#include <QPalette>

class QWidget;

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

// Runs `recolour` whenever the desktop's palette changes while `window` lives (a desktop switching
// between light and dark replaces the application palette), before the window takes the new
// palette, so that `recolour` can derive the colours it set at start from the new
// QApplication::palette() with the same rules.
void FollowDesktopColours(QWidget* window, std::function<void()> recolour);

}  // namespace calpero
