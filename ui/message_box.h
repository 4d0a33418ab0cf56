#pragma once

#include <QString>

#include "dialogs/message_box_flags.h"

class QWidget;

namespace calpero {

// Shows one of the program's own message boxes, by its classic flag value (kMessageFlagsOk,
// kMessageFlagsWarning or kMessageFlagsYesNo). Returns the button pressed: kMessageOk,
// kMessageYes or kMessageNo. The box is modal to the whole program.
int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, int flags);

}  // namespace calpero
