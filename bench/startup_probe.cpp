// The window program's start-up as a whole process, for the start-up benchmark: it starts as the
// program does (the application object, the main window with its help shell, the new-unit dialog
// attached), shows the window, and ends as soon as the window is exposed and has painted with
// its list filled. It prints nothing. Its only argument is the number of units the list should
// hold: it ends with status 0 when the list holds that many, 1 when it does not, 2 when its
// argument is missing or the start-up threw.
#include <charconv>
#include <exception>
#include <memory>
#include <string_view>

#include <QCoreApplication>
#include <QWindow>

#include "app/start_up.h"
#include "ui/calpero_application.h"
#include "ui/main_form.h"
#include "ui/new_var_dlg.h"
#include "ui/xdg_help_shell.h"

namespace {

// The expected unit count given as the probe's argument, or -1 when there is none.
long long ExpectedUnits(int argc, char** argv) {
  if (argc != 2) {
    return -1;
  }
  const std::string_view text = argv[1];
  long long units = -1;
  const auto [end, error] = std::from_chars(text.data(), text.data() + text.size(), units);
  return error == std::errc() && end == text.data() + text.size() ? units : -1;
}

// Handles events until the window is exposed, then once more so that it paints, as a user's
// first sight of the window.
void ShowAndPaint(calpero::TMainForm& form) {
  form.show();
  while (form.windowHandle() == nullptr || !form.windowHandle()->isExposed()) {
    QCoreApplication::processEvents();
  }
  QCoreApplication::processEvents();
}

}  // namespace

int main(int argc, char** argv) {
  calpero::KeepLargeBlocksInTheHeap();
  const long long expected = ExpectedUnits(argc, argv);
  if (expected < 0) {
    return 2;
  }
  try {
    // The application object sees no arguments, as the program's own gets none.
    int applicationArgc = 1;
    calpero::TCalperoApplication application(applicationArgc, argv);
    calpero::TMainForm mainForm(std::make_unique<calpero::TXdgHelpShell>());
    calpero::TNewVarDlg newVarDlg(&mainForm);
    mainForm.AttachNewVarDlg(&newVarDlg);
    ShowAndPaint(mainForm);
    return mainForm.Controls().UnitsListBox->count() == expected ? 0 : 1;
  } catch (const std::exception&) {
    return 2;
  }
}
