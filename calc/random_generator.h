#pragma once

#include <cstdint>

namespace calpero {

// The program's one pseudo-random generator, used only by the add buttons. Its state starts at 0
// and is never seeded, so the draws repeat from run to run. The main window owns the one
// instance.
class TRandomGenerator {
 public:
  // A draw in [0, n): state <- state * 134775813 + 1 (mod 2^32); the result is the high 32 bits of
  // the 64-bit product state * n. For n <= 0 the state still steps and the result is 0.
  // Never throws.
  std::int32_t Draw(std::int32_t n);

  // A draw in [low, high): low + Draw(high - low). `high` - `low` must not overflow.
  std::int32_t DrawIn(std::int32_t low, std::int32_t high);

 private:
  std::uint32_t state_ = 0;
};

// An area's outer size in pixels, its edge included, as the window draws it.
struct TAreaSize {
  std::int32_t Width = 0;
  std::int32_t Height = 0;
};

struct TDrawnPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// The add buttons' two draws for an area of outer size `area` (W by H): X in [4, W - 10), then Y in
// [4, H - 10). Made on every press, before anything else is decided. From a fresh generator the
// first three points in the numerator (297 by 106) are (4, 6), (247, 22), (81, 65).
TDrawnPoint DrawAddButtonPoint(TRandomGenerator& generator, TAreaSize area);

}  // namespace calpero
