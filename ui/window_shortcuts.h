#pragma once

namespace calpero {

class TMainForm;

// Gives every command of `form` a keyboard path, from the key table WindowKeys(): each key acts
// through the same handler as its button or menu item, and does nothing while that button is
// disabled or while another window (the new-unit dialog) is active. Enter in the find box counts
// as a click on the list's current item, as Enter in the list does. A key of the unit list's scope
// acts only while the list has the focus. The shortcuts belong to the window (or the list) and
// live as long as it does.
void InstallWindowShortcuts(TMainForm& form);

}  // namespace calpero
