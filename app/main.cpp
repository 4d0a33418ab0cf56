// Calpero: the window program. It takes no command-line arguments and ends with exit status 0
// in every case.

#include <exception>
#include <memory>

#include "ui/calpero_application.h"
#include "ui/main_form.h"
#include "ui/message_boxes.h"
#include "ui/new_var_dlg.h"
#include "ui/xdg_help_shell.h"

int main(int argc, char** argv) {
  try {
    calpero::TCalperoApplication application(argc, argv);
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
