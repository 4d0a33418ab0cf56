#pragma once

#include <cstddef>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calpero {

// One change to a text: the bytes from `begin` to `end` give way to `insert` (an insertion when
// the two are equal, a removal when `insert` is empty). A change to the catalogue file is a few
// splices of its text, so the new file can be written as the old text's unchanged stretches with
// the new bytes between them, without first building a second copy of a large file.
struct TextSplice {
  std::size_t begin = 0;
  std::size_t end = 0;
  std::string insert;
};

// The new text as pieces in order: views of the unchanged stretches of `text` and of the splices'
// inserts (empty pieces left out). `splices` must be in order of `begin`, must not overlap, and
// must lie within `text`; splices at the same place apply in their order. The views live as long
// as `text` and `splices` do.
std::vector<std::string_view> SplicedPieces(std::string_view text,
                                            std::span<const TextSplice> splices);

// The new text as one string, made with a single allocation. Same requirements as SplicedPieces.
std::string ApplySplices(std::string_view text, std::span<const TextSplice> splices);

}  // namespace calpero
