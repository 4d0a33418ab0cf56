#pragma once

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
TScreenRect PlaceWhollyVisible(const TScreenRect& window, const TScreenRect& area);

}  // namespace calpero
