#include "app/hint_text.h"

namespace calpero {

std::string_view StatusBarPart(std::string_view hint) {
  const auto bar = hint.find('|');
  return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

std::string_view HintMeaning(std::string_view hint) {
  const std::string_view shown = StatusBarPart(hint);
  const auto remark = shown.find(" (");
  if (remark == std::string_view::npos || remark == 0 || !shown.ends_with(')')) {
    return shown;
  }
  return shown.substr(0, remark);
}

}  // namespace calpero
