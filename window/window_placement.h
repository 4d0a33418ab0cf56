#pragma once

#include <algorithm>

namespace calpero {

// A rectangle on the desktop in device-independent pixels: its top-left corner and its size.
struct TScreenRect {
  int Left = 0;
  int Top = 0;
  int Width = 0;
  int Height = 0;

  bool operator==(const TScreenRect&) const = default;
};

// Where a window shows whole: `window` is the window's wanted place with its outer size (frame
// included), `area` the part of the screen that windows may take. Returns `window` unchanged when
// it lies inside `area`; else `window` moved along each axis just far enough to lie inside it.
// Along an axis where the window is larger than the area, its left (or top) edge goes to the
// area's, so that the caption and the window's start stay in reach.
inline TScreenRect PlaceWhollyVisible(const TScreenRect& window, const TScreenRect& area) {
  // The start of a span of `length` that wants to begin at `start`, moved just enough to lie
  // within the span from `areaStart` of `areaLength`, or to begin with it when it is the longer.
  const auto placeSpan = [](int start, int length, int areaStart, int areaLength) {
    return std::max(std::min(start, areaStart + areaLength - length), areaStart);
  };
  return {placeSpan(window.Left, window.Width, area.Left, area.Width),
          placeSpan(window.Top, window.Height, area.Top, area.Height), window.Width, window.Height};
}

}  // namespace calpero
