#include "window/hint_text.h"

#include <cstddef>

namespace calpero {

std::string_view StatusBarPart(std::string_view hint) {
  const auto bar = hint.find('|');
  return bar == std::string_view::npos ? hint : hint.substr(bar + 1);
}

std::string ResultantPowersHint(std::span<const std::string> matches, std::string_view title,
                                std::string_view sameAs) {
  if (matches.empty()) {
    return std::string(title);
  }
  std::string names;
  for (std::size_t i = 0; i < matches.size(); ++i) {
    names.append(i == 0 ? "" : ", ").append(matches[i]);
  }
  const std::size_t slot = sameAs.find("%1");
  std::string hint = "|";
  if (slot == std::string_view::npos) {
    return hint.append(sameAs).append(names);
  }
  return hint.append(sameAs.substr(0, slot)).append(names).append(sameAs.substr(slot + 2));
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
