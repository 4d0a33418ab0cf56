#include "window/display_platform.h"

#include <gtest/gtest.h>

#include <string>
#include <vector>

namespace calpero {
namespace {

TEST(ChooseDisplayPlatform, TakesAnXServerWhereverOneIsReachableUnlessTheUserChose) {
  struct Row {
    TSessionEnvironment session;  // XDG_SESSION_TYPE, DISPLAY, WAYLAND_DISPLAY, QT_QPA_PLATFORM
    std::string expected;
  };
  const Row rows[] = {
      {{"x11", ":0", "", ""}, "xcb"},
      // With qt6-wayland installed, the toolkit alone would go native here.
      {{"x11", ":0", "wayland-0", ""}, "xcb;wayland"},
      // GNOME, KDE and weston sessions with XWayland.
      {{"wayland", ":0", "wayland-0", ""}, "xcb;wayland"},
      {{"", ":1", "", ""}, "xcb"},
      {{"tty", "localhost:10.0", "", ""}, "xcb"},
      // Wayland alone.
      {{"wayland", "", "wayland-0", ""}, "wayland"},
      {{"", "", "wayland-1", ""}, "wayland"},
      {{"wayland", "", "", ""}, "wayland"},
      // No desktop at all: the toolkit says what is missing.
      {{"", "", "", ""}, ""},
      {{"tty", "", "", ""}, ""},
      // The user's own choice is respected, native Wayland included.
      {{"wayland", ":0", "wayland-0", "wayland"}, ""},
      {{"x11", ":0", "", "offscreen"}, ""},
      {{"wayland", "", "wayland-0", "xcb"}, ""},
      // A blank QT_QPA_PLATFORM chooses nothing.
      {{"wayland", ":0", "wayland-0", " "}, "xcb;wayland"},
  };
  for (const Row& row : rows) {
    const TSessionEnvironment& s = row.session;
    EXPECT_EQ(ChooseDisplayPlatform(s), row.expected)
        << "XDG_SESSION_TYPE='" << s.SessionType << "' DISPLAY='" << s.Display
        << "' WAYLAND_DISPLAY='" << s.WaylandDisplay << "' QT_QPA_PLATFORM='" << s.QtPlatform
        << "'";
  }
}

TEST(WithPlatformArgument, PutsTheChoiceRightAfterTheProgramsName) {
  using Arguments = std::vector<std::string>;
  EXPECT_EQ(WithPlatformArgument({"calpero"}, "xcb"), (Arguments{"calpero", "-platform", "xcb"}));
  EXPECT_EQ(WithPlatformArgument({"calpero", "-platform", "wayland"}, "xcb"),
            (Arguments{"calpero", "-platform", "xcb", "-platform", "wayland"}));
  EXPECT_EQ(WithPlatformArgument({"calpero"}, ""), (Arguments{"calpero"}));
  EXPECT_EQ(WithPlatformArgument({}, "xcb"), Arguments{});
}

}  // namespace
}  // namespace calpero
