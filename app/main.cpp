// Calpero: the window program. It takes no command-line arguments of its own (the toolkit's are
// honoured) and ends with exit status 0 in every case.

#include <cstddef>
#include <cstdlib>
#include <exception>
#include <memory>
#include <span>
#include <string>
#include <vector>

#include "app/start_up.h"
#include "ui/calpero_application.h"
#include "ui/main_form.h"
#include "ui/message_boxes.h"
#include "ui/new_var_dlg.h"
#include "ui/xdg_help_shell.h"
#include "window/display_platform.h"

namespace {

std::string Variable(const char* name) {
  const char* value = std::getenv(name);  // NOLINT(concurrency-mt-unsafe): before any thread
  return value == nullptr ? std::string() : std::string(value);
}

}  // namespace

int main(int argc, char** argv) {
  calpero::KeepLargeBlocksInTheHeap();
  // The platform is chosen here, on purpose, rather than left to whichever plugins happen to be
  // installed (ChooseDisplayPlatform says why).
  const calpero::TSessionEnvironment session{Variable("XDG_SESSION_TYPE"), Variable("DISPLAY"),
                                             Variable("WAYLAND_DISPLAY"),
                                             Variable("QT_QPA_PLATFORM")};
  const std::span<char*> given(argv, static_cast<std::size_t>(argc));
  std::vector<std::string> arguments =
      calpero::WithPlatformArgument(std::vector<std::string>(given.begin(), given.end()),
                                    calpero::ChooseDisplayPlatform(session));
  // The toolkit keeps pointers into these for the application's lifetime.
  std::vector<char*> toolkitArgv;
  toolkitArgv.reserve(arguments.size() + 1);
  for (std::string& argument : arguments) {
    toolkitArgv.push_back(argument.data());
  }
  toolkitArgv.push_back(nullptr);
  int toolkitArgc = static_cast<int>(arguments.size());
  try {
    calpero::TCalperoApplication application(toolkitArgc, toolkitArgv.data());
    // Lets the desktop match the window to its menu entry and icon.
    calpero::TCalperoApplication::setDesktopFileName(QStringLiteral(CALPERO_APP_ID));
    try {
      calpero::TMainForm mainForm(std::make_unique<calpero::TXdgHelpShell>());
      // The new-unit dialog is made once, hidden, right after the main window, and reused at
      // every opening.
      calpero::TNewVarDlg newVarDlg(&mainForm);
      mainForm.AttachNewVarDlg(&newVarDlg);
      mainForm.show();
      calpero::TCalperoApplication::exec();
    } catch (const std::exception& error) {
      calpero::ShowDefaultError(error);
    } catch (...) {
      calpero::ShowDefaultError();
    }
  } catch (...) {
    // Without an application object there is nothing to show the error with.
  }
  return 0;
}
