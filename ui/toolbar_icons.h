#pragma once

#include <QIcon>

namespace calpero {

// The toolbar images, indexed as the toolbars use them: 0 evaluate the resultant, 1 the numerator,
// 2 the denominator, 3 new variable, 4 back up, 5 clear, 6 help, 7 add.
enum class TToolImage {
  EvaluateResultant = 0,
  EvaluateNumerator = 1,
  EvaluateDenominator = 2,
  NewVariable = 3,
  Backup = 4,
  Clear = 5,
  Help = 6,
  Add = 7,
};

// The icon of one toolbar image, 32 by 32 pixels: the grey (cold) picture in the normal mode,
// the coloured (hot) one in the active mode that auto-raise buttons show under the pointer, and
// the disabled picture for a disabled button.
QIcon ToolbarIcon(TToolImage image);

}  // namespace calpero
