#pragma once

#include <string_view>

namespace calpero {

// The part of a hint that the status bar shows: what follows the first "|", or the whole hint
// when it has none. The result views into `hint`.
std::string_view StatusBarPart(std::string_view hint);

// What a control is, told by its hint, for a screen reader to name it: the status-bar part
// without a closing remark in brackets ("Trash (can not be undone!)" names "Trash"). The result
// views into `hint`.
std::string_view HintMeaning(std::string_view hint);

}  // namespace calpero
