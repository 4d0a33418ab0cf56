#include "window/display_platform.h"

#include <algorithm>
#include <iterator>

namespace calpero {
namespace {

bool IsBlank(const std::string& text) {
  return std::all_of(text.begin(), text.end(), [](char c) { return c == ' ' || c == '\t'; });
}

}  // namespace

std::string ChooseDisplayPlatform(const TSessionEnvironment& session) {
  if (!IsBlank(session.QtPlatform)) {
    return {};
  }
  if (!session.Display.empty()) {
    // DISPLAY may name a server that is gone (a stale variable, an XWayland that failed); the
    // toolkit then tries the compositor natively rather than giving up.
    return session.WaylandDisplay.empty() ? "xcb" : "xcb;wayland";
  }
  if (!session.WaylandDisplay.empty() || session.SessionType == "wayland") {
    return "wayland";
  }
  return {};
}

std::vector<std::string> WithPlatformArgument(std::vector<std::string> arguments,
                                              const std::string& platform) {
  if (platform.empty() || arguments.empty()) {
    return arguments;
  }
  arguments.insert(std::next(arguments.begin()), {"-platform", platform});
  return arguments;
}

}  // namespace calpero
