#pragma once

namespace calpero {

// The program's message boxes, by the classic flag values and results: flags 0 = OK without icon,
// 48 = OK with the warning icon, 4 = Yes and No without icon, Yes preselected; results 1 = OK,
// 6 = Yes, 7 = No. The window shows them (ShowMessageBox); the new-unit dialog's logic asks for
// them through its view, and the command-line tool answers them from its arguments.
inline constexpr int kMessageFlagsOk = 0;
inline constexpr int kMessageFlagsWarning = 48;
inline constexpr int kMessageFlagsYesNo = 4;
inline constexpr int kMessageOk = 1;
inline constexpr int kMessageYes = 6;
inline constexpr int kMessageNo = 7;

}  // namespace calpero
