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

}  // namespace calpero
