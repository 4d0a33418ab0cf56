#pragma once

#include <cstdint>

namespace calpero {

// A colour as 8-bit sRGB components.
struct TRgb {
  std::uint8_t Red = 0;
  std::uint8_t Green = 0;
  std::uint8_t Blue = 0;
};

// The relative luminance of `colour`, from 0 (black) to 1 (white): the sRGB components made
// linear and weighted by how bright the eye sees them (0.2126 red, 0.7152 green, 0.0722 blue).
double RelativeLuminance(TRgb colour);

// The contrast ratio of two colours, (L1 + 0.05) / (L2 + 0.05) with L1 the lighter: from 1 (the
// same) to 21 (black on white). Text reads comfortably from 4.5 up.
double ContrastRatio(TRgb first, TRgb second);

// Whether `background` is dark: white text on it contrasts more than black text does.
bool IsDark(TRgb background);

}  // namespace calpero
