#pragma once

#include <QString>

class QWindow;

namespace calpero {

// Whether the windows run natively on a Wayland compositor (QT_QPA_PLATFORM=wayland, or a desktop
// without an X server), rather than through an X server or XWayland.
bool IsNativeWayland();

// On native Wayland, keeps `window` out of the maximised state while its minimum and maximum
// sizes agree. There the toolkit draws the title bar itself, and its maximise button is there
// whatever the window's size constraints; a compositor that then maximises a window that cannot
// grow may end the program (weston does, for a surface whose size differs from the maximised
// one). The request is taken back before the compositor answers it, so the window stays as it
// is and the click does nothing. Elsewhere, and for a second call on the same window, nothing.
void RefuseMaximiseOnWayland(QWindow* window);

// On native Wayland, where the compositor offers the xdg-activation protocol, a fresh activation
// token for a program started on behalf of `window` on the user's latest input: passed to that
// program as XDG_ACTIVATION_TOKEN, it lets the compositor raise the program's window. Empty
// elsewhere, and when the compositor gives none within a few round trips.
QString RequestActivationToken(QWindow* window);

}  // namespace calpero
