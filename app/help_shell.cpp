#include "app/help_shell.h"

namespace calpero {

THelpOutcome OpenHelpPage(THelpShell& shell, const std::string& page) {
  if (!shell.FindBrowser(page)) {
    return THelpOutcome::BrowserNotFound;
  }
  shell.Launch(page);
  return THelpOutcome::Launched;
}

}  // namespace calpero
