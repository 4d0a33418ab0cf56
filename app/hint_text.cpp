#include "app/hint_text.h"

#include <cstddef>

namespace calpero {

std::string_view StatusBarPart(std::string_view hint) {
  const auto bar = hint.find('|');
  return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

std::string ResultantPowersHint(std::span<const std::string> matches) {
  if (matches.empty()) {
    return "Resultant powers: evaluate, save, back up, clear, help";
  }
  std::string hint = "|Resultant powers: same as ";
  for (std::size_t i = 0; i < matches.size(); ++i) {
    hint.append(i == 0 ? "" : ", ").append(matches[i]);
  }
  return hint;
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
