#pragma once

#include <QString>

class QWidget;

namespace calpero {

// The program's own message boxes, by the classic flag values: 0 = OK without icon, 48 = OK with
// the warning icon, 4 = Yes and No without icon, Yes preselected. Returns the button pressed:
// kMessageOk, kMessageYes or kMessageNo. The box is modal to the whole program.
inline constexpr int kMessageFlagsOk = 0;
inline constexpr int kMessageFlagsWarning = 48;
inline constexpr int kMessageFlagsYesNo = 4;
inline constexpr int kMessageOk = 1;
inline constexpr int kMessageYes = 6;
inline constexpr int kMessageNo = 7;

int ShowMessageBox(QWidget* parent, const QString& text, const QString& caption, int flags);

}  // namespace calpero
