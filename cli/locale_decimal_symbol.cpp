#include "cli/locale_decimal_symbol.h"

#include <QLocale>
#include <QString>

namespace calpero {

std::string LocaleDecimalSymbol() {
  return QLocale::system().decimalPoint().toUtf8().toStdString();
}

}  // namespace calpero
