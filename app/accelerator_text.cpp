#include "app/accelerator_text.h"

#include <algorithm>
#include <cstddef>

namespace calpero {
namespace {

// The length of the UTF-8 sequence that begins at `text[at]`, cut at the end of the text. A
// byte that cannot begin a sequence counts alone.
std::size_t SequenceLength(std::string_view text, std::size_t at) {
  const auto lead = static_cast<unsigned char>(text[at]);
  std::size_t length = 1;
  if ((lead & 0xE0U) == 0xC0U) {
    length = 2;
  } else if ((lead & 0xF0U) == 0xE0U) {
    length = 3;
  } else if ((lead & 0xF8U) == 0xF0U) {
    length = 4;
  }
  return std::min(length, text.size() - at);
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
      const std::size_t length = SequenceLength(caption, at + 1);
      Append(runs, caption.substr(at + 1, length), true);
      at += 1 + length;
    }
  }
  return runs;
}

}  // namespace calpero
