#pragma once

// What the windows take from the desktop they run on: fonts standing in for the layout's own,
// the locale's decimal symbol, and colours that follow the desktop's colour scheme.

#include <functional>
#include <string>

#include <QColor>
#include <QImage>
#include <QPalette>

class QLocale;
class QWidget;

namespace calpero {

// Maps the Windows fonts that the layout names onto fonts a Linux desktop has: "Book Antiqua" to
// TeX Gyre Pagella (then P052), "MS Sans Serif" and "Tahoma" to Liberation Sans (then DejaVu
// Sans). Must run before the first widget is made.
void InstallFontSubstitutions();

// The decimal symbol of `locale` as UTF-8, as the catalogue's separator rule takes it.
std::string DecimalSymbolOf(const QLocale& locale);

// Hands the system locale's decimal symbol to the program's power texts (SetDecimalSeparator).
void ApplySystemDecimalSeparator();

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

// Whether the desktop's button face (`palette`) is dark.
bool IsDarkDesktop(const QPalette& palette);

// `art` with each grey pixel's lightness turned over (dark greys light, light greys dark), keeping
// its coverage and leaving coloured pixels as they are: grey artwork made for a light background
// read on a dark one as it reads on a light one.
QImage TurnedOverGreys(const QImage& art);

// Runs `recolour` whenever the desktop's palette changes while `window` lives (a desktop switching
// between light and dark replaces the application palette), before the window takes the new
// palette, so that `recolour` can derive the colours it set at start from the new
// QApplication::palette() with the same rules.
void FollowDesktopColours(QWidget* window, std::function<void()> recolour);

}  // namespace calpero
