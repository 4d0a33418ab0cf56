#pragma once

#include <string>
#include <string_view>

namespace calpero {

// Where the help page lies: `programDir` (the folder of the running program file) followed by
// "/Help/index.htm"; a trailing "/" of `programDir` is not doubled. With a `language` (a code of
// ChooseTranslation, "de"), the page in that language, "/Help/<language>/index.htm", when it is
// there; the English page otherwise.
std::string HelpPagePath(std::string_view programDir, std::string_view language = {});

// Whether `path` names a regular file (a symbolic link counts by its target). Never throws.
bool IsHelpPagePresent(const std::string& path);

// What the desktop says about opening HTML: whether the xdg-mime tool could be run, what
// `xdg-mime query default text/html` printed, and the value of $BROWSER (empty when unset).
struct THtmlAssociation {
  bool XdgMimeAvailable = false;
  std::string XdgMimeDefault;
  std::string BrowserVariable;
};

// Whether something is associated with HTML pages, so that `xdg-open <page>` can show one: no
// when xdg-mime is missing, or when it names no application (blank output) and $BROWSER is unset
// or blank.
bool HasHtmlAssociation(const THtmlAssociation& association);

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
