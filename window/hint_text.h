#pragma once

#include <span>
#include <string>
#include <string_view>

namespace calpero {

// The part of a hint that the status bar shows: what follows the first "|", or the whole hint
// when it has none. The result views into `hint`.
std::string_view StatusBarPart(std::string_view hint);

// The hint of the panel that titles the resultant powers. Without matches it is the plain
// `title`; with them it is `sameAs` with the catalogue's units that have the resultant's powers,
// in the order given and joined by ", ", in place of its "%1": "Resultant powers: same as Pascal,
// Bar". That form starts with the "|" divider, so that a "|" in a unit name is shown rather than
// taken for the divider. The two texts come in the window's language.
std::string ResultantPowersHint(std::span<const std::string> matches, std::string_view title,
                                std::string_view sameAs);

// What a control is, told by its hint, for a screen reader to name it: the status-bar part
// without a closing remark in brackets ("Trash (can not be undone!)" names "Trash"). The result
// views into `hint`.
std::string_view HintMeaning(std::string_view hint);

}  // namespace calpero
