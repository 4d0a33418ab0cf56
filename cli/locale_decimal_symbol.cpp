#include "cli/locale_decimal_symbol.h"

#include <langinfo.h>

#include <clocale>

namespace calpero {

std::string LocaleDecimalSymbol() {
  locale_t numeric = newlocale(LC_NUMERIC_MASK, "", static_cast<locale_t>(nullptr));
  if (numeric == static_cast<locale_t>(nullptr)) {
    return {};
  }
  const char* radix = nl_langinfo_l(RADIXCHAR, numeric);
  std::string symbol = radix == nullptr ? std::string() : std::string(radix);
  freelocale(numeric);
  return symbol;
}

}  // namespace calpero
