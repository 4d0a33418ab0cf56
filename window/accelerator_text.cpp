#include "window/accelerator_text.h"

#include <algorithm>
#include <cstddef>

#include "text/text_bytes.h"

namespace calpero {
namespace {

// The length of the character that begins at `text[at]`: its UTF-8 sequence, or one byte where
// none is well formed.
std::size_t CharacterLength(std::string_view text, std::size_t at) {
  return std::max<std::size_t>(1, Utf8SequenceLength(text.substr(at)));
}

void Append(std::vector<TTextRun>& runs, std::string_view text, bool underlined) {
  if (!runs.empty() && runs.back().Underlined == underlined) {
    runs.back().Text += text;
  } else {
    runs.push_back({std::string(text), underlined});
  }
}

}  // namespace

std::vector<TTextRun> AcceleratorRuns(std::string_view caption) {
  std::vector<TTextRun> runs;
  std::size_t at = 0;
  while (at < caption.size()) {
    if (caption[at] != '&') {
      Append(runs, caption.substr(at, 1), false);
      ++at;
    } else if (at + 1 >= caption.size()) {
      ++at;
    } else if (caption[at + 1] == '&') {
      Append(runs, "&", false);
      at += 2;
    } else {
      const std::size_t length = CharacterLength(caption, at + 1);
      Append(runs, caption.substr(at + 1, length), true);
      at += 1 + length;
    }
  }
  return runs;
}

}  // namespace calpero
