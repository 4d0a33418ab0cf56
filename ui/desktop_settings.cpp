#include "ui/desktop_settings.h"

#include <QFont>
#include <QLocale>

#include "catalogue/power_text.h"

namespace calpero {

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

}  // namespace calpero
