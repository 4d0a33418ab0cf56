#pragma once

#include <string>
#include <vector>

namespace calpero {

// What start-up reads of the desktop session from the environment; an unset variable is empty.
struct TSessionEnvironment {
  std::string SessionType;     // XDG_SESSION_TYPE: "x11", "wayland", "tty", ...
  std::string Display;         // DISPLAY: the X server, XWayland's on a Wayland desktop
  std::string WaylandDisplay;  // WAYLAND_DISPLAY: the Wayland compositor
  std::string QtPlatform;      // QT_QPA_PLATFORM, as the user set it
};

// The toolkit's platform that the window program asks for, or empty to leave the choice to the
// toolkit. The windows pin their places and sizes, and only an X server lets a program place its
// windows and keep a fixed size without a maximise button: so wherever one is reachable (an X11
// session, or a Wayland session that runs XWayland, both with DISPLAY set) the answer is "xcb",
// whatever the session's type and whichever platform plugins are installed; with a Wayland
// compositor too, "xcb;wayland", so that the toolkit falls back to native Wayland when the X
// server that DISPLAY names cannot be reached. A QT_QPA_PLATFORM
// that the user set is the user's choice and wins (QT_QPA_PLATFORM=wayland asks for native
// Wayland): the answer is then empty. Without an X server, a Wayland compositor (WAYLAND_DISPLAY,
// or a session of type "wayland") gives "wayland"; with neither, the answer is empty.
std::string ChooseDisplayPlatform(const TSessionEnvironment& session);

// The program's arguments for the toolkit: `arguments` (the program's name first) with
// "-platform <platform>" right after the name when `platform` and `arguments` are not empty, so
// that a -platform given on the command line, which comes later, still wins. The choice travels as
// an argument and not through the environment, so that it never reaches the programs that Calpero
// starts.
std::vector<std::string> WithPlatformArgument(std::vector<std::string> arguments,
                                              const std::string& platform);

}  // namespace calpero
