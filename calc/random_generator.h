#pragma once

#include <cstdint>

#include "calc/unit_token.h"

namespace calpero {

// The program's one pseudo-random generator, used only by the add buttons. Its state starts at 0
// and is never seeded, so the draws repeat from run to run. The main window owns the one
// instance.
class TRandomGenerator {
 public:
  // A draw in [0, n): state <- state * 134775813 + 1 (mod 2^32); the result is the high 32 bits of
  // the 64-bit product state * n. n must be positive.
  std::int32_t Draw(std::int32_t n);

  // A draw in [low, high): low + Draw(high - low).
  std::int32_t DrawIn(std::int32_t low, std::int32_t high);

 private:
  std::uint32_t state_ = 0;
};

struct TDrawnPoint {
  std::int32_t X = 0;
  std::int32_t Y = 0;
};

// The add buttons' two draws for `area`: X in [4, W - 10), then Y in [4, H - 10), with W and H the
// area's outer size. Made on every press, before anything else is decided.
TDrawnPoint DrawAddButtonPoint(TRandomGenerator& generator, THolder area);

}  // namespace calpero
