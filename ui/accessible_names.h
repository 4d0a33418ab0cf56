#pragma once

class QWidget;

namespace calpero {

// Names the controls of `window` for screen readers, where their caption does not already: a
// control with a hint is described by the hint and named by its meaning (HintMeaning); an edit
// that a label is the buddy of is named by that label; a power label is read with its quantity
// ("Mass 1.00"), following its text. Run once the window's controls are built; controls made
// later name themselves.
void NameForScreenReaders(QWidget* window);

}  // namespace calpero
