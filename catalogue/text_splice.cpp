#include "catalogue/text_splice.h"

namespace calpero {

std::vector<std::string_view> SplicedPieces(std::string_view text,
                                            std::span<const TextSplice> splices) {
  std::vector<std::string_view> pieces;
  pieces.reserve(2 * splices.size() + 1);
  std::size_t copied = 0;
  for (const TextSplice& splice : splices) {
    if (splice.begin > copied) {
      pieces.push_back(text.substr(copied, splice.begin - copied));
    }
    if (!splice.insert.empty()) {
      pieces.emplace_back(splice.insert);
    }
    copied = splice.end;
  }
  if (copied < text.size()) {
    pieces.push_back(text.substr(copied));
  }
  return pieces;
}

std::string ApplySplices(std::string_view text, std::span<const TextSplice> splices) {
  const std::vector<std::string_view> pieces = SplicedPieces(text, splices);
  std::size_t size = 0;
  for (const std::string_view piece : pieces) {
    size += piece.size();
  }
  std::string out;
  out.reserve(size);
  for (const std::string_view piece : pieces) {
    out.append(piece);
  }
  return out;
}

}  // namespace calpero
