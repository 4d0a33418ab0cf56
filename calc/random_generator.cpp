#include "calc/random_generator.h"

namespace calpero {

std::int32_t TRandomGenerator::Draw(std::int32_t n) {
  constexpr std::uint32_t kMultiplier = 134775813;
  // Unsigned arithmetic wraps modulo 2^32, which is the generator's step.
  state_ = state_ * kMultiplier + 1;
  if (n <= 0) {
    return 0;
  }
  const std::uint64_t product = static_cast<std::uint64_t>(state_) * static_cast<std::uint64_t>(n);
  // The high half of the product lies in [0, n), so it fits the result type.
  return static_cast<std::int32_t>(product >> 32U);
}

std::int32_t TRandomGenerator::DrawIn(std::int32_t low, std::int32_t high) {
  return low + Draw(high - low);
}

TDrawnPoint DrawAddButtonPoint(TRandomGenerator& generator, TAreaSize area) {
  TDrawnPoint point;
  // X is drawn before Y; the order is part of the sequence the user sees.
  point.X = generator.DrawIn(4, area.Width - 10);
  point.Y = generator.DrawIn(4, area.Height - 10);
  return point;
}

}  // namespace calpero
