#pragma once

#include <functional>
#include <optional>
#include <string>
#include <utility>

#include <QDialog>
#include <QPoint>

#include "calc/power_vector.h"
#include "catalogue/unit_catalogue.h"
#include "dialogs/new_var_dialog_logic.h"
#include "dialogs/new_var_dialog_view.h"
#include "ui/status_hint_tracker.h"

class QCloseEvent;
class QLabel;
class QLineEdit;
class QPushButton;
class QStatusBar;

namespace calpero {

class TAnnouncer;

// The new-unit dialog, "Create Variable Dialogue": four power fields and a name field, saved into
// the catalogue with "Save" (the dialog stays open) or "Save && Exit" (it closes afterwards,
// whatever the save did). One instance lives for the whole run and is reopened with Execute.
// The window supplies the fields and message boxes; TNewVarDialogLogic decides what a save does.
class TNewVarDlg : public QDialog, private TNewVarDialogView {
  Q_OBJECT

 public:
  // Builds the window, hidden, and opens the dialog's own handle on the catalogue at its standard
  // place (touching no file). `parent` is the window the dialog is modal over.
  explicit TNewVarDlg(QWidget* parent = nullptr);

  // Pre-fills the power fields from `powers` (Mass, Length, Temperature, Time) and empties the
  // name field, puts the focus in the name field, shows the dialog modally and returns once it has
  // closed. The first showing is centred on the screen; later ones appear where it last closed.
  // Errors of a save are shown inside the dialog and never leave this function.
  void Execute(const TPowerVector& powers);

  // Closes the dialog with close result `closeResult`, running FormClose first and remembering
  // where it stood for the next showing.
  void done(int closeResult) override;

  // Does nothing: the dialog has no cancel action, so Escape leaves it open.
  void reject() override;

  // Told of each unit that the dialog saves, as UnitCatalogue::ObserveChanges tells.
  void ObserveChanges(std::function<void(const SectionChange&)> observer) {
    DataFile.ObserveChanges(std::move(observer));
  }

  // What tells screen readers that a unit was saved or replaced.
  const TAnnouncer& Announcer() const { return *announcer_; }

 protected:
  void closeEvent(QCloseEvent* event) override;

 private:
  void BuildControls();
  void BuildPowerRow();
  void SetTabOrder();
  // Sets the colours that derive from the desktop's palette: the background in the button face,
  // the exponents and letters in the ink that reads on it.
  void ApplyDesktopColours();
  void ClickWithCloseResult(int closeResult);
  void PlaceForShowing();

  // The save, run by both buttons; an error ends it and is shown with the default presentation.
  void OKBtnClick();
  // Runs at every close, whichever way: writes out the catalogue handle.
  void FormClose();

  QLineEdit* FieldEdit(TNewVarField field) const;
  void ShowHint(const QString& hint);

  std::string FieldText(TNewVarField field) const override;
  void SetFieldText(TNewVarField field, const std::string& text) override;
  int ShowMessage(MessageId text, MessageId caption, int flags) override;

  QPushButton* OKBtn = nullptr;
  QLabel* Label1 = nullptr;
  QLineEdit* Edit1 = nullptr;
  QLineEdit* Edit2 = nullptr;
  QLineEdit* Edit3 = nullptr;
  QLineEdit* Edit4 = nullptr;
  QLineEdit* Edit5 = nullptr;
  QStatusBar* StatusBar1 = nullptr;
  QPushButton* Button1 = nullptr;
  QLabel* Image5 = nullptr;
  QLabel* Image6 = nullptr;
  QLabel* Image7 = nullptr;
  QLabel* Image8 = nullptr;
  UnitCatalogue DataFile;
  TAnnouncer* announcer_ = nullptr;

  TNewVarDialogLogic logic_{*this, DataFile};
  std::optional<QPoint> closedAt_;
  // Shows in the status bar the hint of the control under the pointer; nothing over the "Save"
  // button or the background, which have none.
  TStatusHintTracker hintTracker_{this, [this](const QString& hint) { ShowHint(hint); }};
};

}  // namespace calpero
