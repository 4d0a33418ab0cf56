#include "window/colour_contrast.h"

#include <algorithm>
#include <cmath>

namespace calpero {
namespace {

double Linear(std::uint8_t component) {
  const double value = component / 255.0;
  return value <= 0.04045 ? value / 12.92 : std::pow((value + 0.055) / 1.055, 2.4);
}

}  // namespace

double RelativeLuminance(TRgb colour) {
  return (0.2126 * Linear(colour.Red)) + (0.7152 * Linear(colour.Green)) +
         (0.0722 * Linear(colour.Blue));
}

double ContrastRatio(TRgb first, TRgb second) {
  const double a = RelativeLuminance(first);
  const double b = RelativeLuminance(second);
  return (std::max(a, b) + 0.05) / (std::min(a, b) + 0.05);
}

bool IsDark(TRgb background) {
  return ContrastRatio(background, {255, 255, 255}) > ContrastRatio(background, {0, 0, 0});
}

}  // namespace calpero
