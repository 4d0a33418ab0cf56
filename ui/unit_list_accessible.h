#pragma once

#include <QAccessibleInterface>

namespace calpero {

class TUnitListBox;

// How screen readers see the unit list: a list whose children are the rows that a person sees,
// the rows in view and the current row wherever it is, not one child per unit. Whatever the
// catalogue's size, a screen reader that walks the list (to count its items, to find the focused
// one) makes a few calls, not one per unit. The number of units is in the list's description; the
// current row is the focus child while the list has the keyboard focus.
QAccessibleInterface* MakeUnitListAccessible(TUnitListBox* list);

}  // namespace calpero
