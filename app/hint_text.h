#pragma once

#include <string_view>

namespace calpero {

// The part of a hint that the status bar shows: what follows the first "|", or the whole hint
// when it has none. The result views into `hint`.
std::string_view StatusBarPart(std::string_view hint);

}  // namespace calpero
