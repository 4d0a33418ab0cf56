#pragma once

#include <string>
#include <string_view>
#include <vector>

namespace calpero {

// A piece of a caption as it is drawn: its text and whether it is underlined.
struct TTextRun {
  std::string Text;
  bool Underlined = false;
  bool operator==(const TTextRun&) const = default;
};

// A caption drawn with the accelerator-prefix rule, as runs in drawing order: a single "&" is not
// drawn and underlines the character after it (a whole UTF-8 sequence); "&&" draws one "&"; a
// lone "&" at the end is not drawn. Adjacent runs of the same kind are merged; an empty caption
// gives no runs. Tokens are drawn and measured this way, while their name stays as stored.
std::vector<TTextRun> AcceleratorRuns(std::string_view caption);

}  // namespace calpero
