#include "app/window_placement.h"

#include <algorithm>

namespace calpero {
namespace {

// The start of a span of `length` that wants to begin at `start`, moved just enough to lie within
// the span from `areaStart` of `areaLength`, or to begin with it when it is the longer.
int PlaceSpan(int start, int length, int areaStart, int areaLength) {
  const int latest = areaStart + areaLength - length;
  return std::max(std::min(start, latest), areaStart);
}

}  // namespace

TScreenRect PlaceWhollyVisible(const TScreenRect& window, const TScreenRect& area) {
  return {PlaceSpan(window.Left, window.Width, area.Left, area.Width),
          PlaceSpan(window.Top, window.Height, area.Top, area.Height), window.Width, window.Height};
}

}  // namespace calpero
