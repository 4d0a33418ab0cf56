#include "app/hint_text.h"

namespace calpero {

std::string_view StatusBarPart(std::string_view hint) {
  const auto bar = hint.find('|');
  return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

}  // namespace calpero
