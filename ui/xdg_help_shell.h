#pragma once

#include "window/help_page.h"

namespace calpero {

// The desktop's help look-up and launch: the page must be a regular file, and xdg-mime must name
// a default application for text/html or $BROWSER must be set (HasHtmlAssociation); the page is
// then opened with `xdg-open <page>`, started detached and never waited for, since it may run
// until the browser exits. On native Wayland the opener gets a fresh activation token
// (XDG_ACTIVATION_TOKEN) where the compositor hands one out, so that the browser's window is
// raised; a token or startup id that Calpero itself was started with is never passed on.
class TXdgHelpShell : public THelpShell {
 public:
  bool FindBrowser(const std::string& page) override;
  void Launch(const std::string& page) override;
};

}  // namespace calpero
