#pragma once

#include <string>

namespace calpero {

// The desktop's side of the help command: finding what opens the page and opening it. The
// window gets one at construction; tests give it a fake so that no browser is ever started.
class THelpShell {
 public:
  virtual ~THelpShell() = default;

  // Whether the page can be opened: it is a regular file and something is associated with it.
  virtual bool FindBrowser(const std::string& page) = 0;

  // Opens the page with what is associated with it, without waiting; its outcome is not looked at.
  virtual void Launch(const std::string& page) = 0;

 protected:
  THelpShell() = default;
  THelpShell(const THelpShell&) = default;
  THelpShell& operator=(const THelpShell&) = default;
};

enum class THelpOutcome { Launched, BrowserNotFound };

// The help command: asks `shell` for the page's browser and, when there is one, launches it.
// Returns BrowserNotFound, having launched nothing, when the look-up fails (the window then says
// "Cannot find the browser!"). Passes on whatever `shell` throws.
THelpOutcome OpenHelpPage(THelpShell& shell, const std::string& page);

}  // namespace calpero
