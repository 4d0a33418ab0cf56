#pragma once

#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <vector>

#include <QWidget>

#include "calc/evaluation.h"
#include "calc/random_generator.h"
#include "calc/work_area.h"
#include "catalogue/unit_catalogue.h"
#include "catalogue/unread_powers.h"
#include "ui/drag_controller.h"
#include "ui/main_form_controls.h"
#include "ui/spoken_results.h"
#include "ui/token_widgets.h"
#include "window/change_history.h"
#include "window/help_page.h"
#include "window/selection_state.h"

namespace calpero {

class TAnnouncer;
class TCatalogueWatch;
class TMainFormDragHost;
class TNewVarDlg;
class TStatusHintTracker;

// The main window: the sorted unit list with its find box and the unit-powers row, the two work
// areas with the result row, the trash, the toolbars and the status bar. It wires the controls to
// the catalogue, the evaluations and the work-area model; every handler that runs program logic
// is named after its control and event, and every error it raises is shown by the default error
// presentation. The window keeps its designed size (658 by 364 pixels inside the frame).
// Its code is kept by subject: main_form.cpp builds and wires the window and holds the list, the
// evaluations, help and the window's events; main_form_work_area.cpp the drops and the tokens;
// main_form_catalogue.cpp reading the list again, backup, restore, undo and the notices of
// unreadable powers; TMainFormDragHost (main_form_drag_host.h) which drag goes where.
class TMainForm : public QWidget {
  Q_OBJECT

 public:
  // Builds the window at 188, 156 (moved just enough to show whole on a screen too small for it
  // there) with the application-starting cursor meanwhile, opens the catalogue at its standard
  // path (relative to the working directory) and lists its units. `helpShell` finds and opens
  // the help page. Throws only what building widgets throws.
  explicit TMainForm(std::unique_ptr<THelpShell> helpShell, QWidget* parent = nullptr);
  ~TMainForm() override;
  TMainForm(const TMainForm&) = delete;
  TMainForm& operator=(const TMainForm&) = delete;

  // The new-unit dialog that the new-variable button opens. Start-up makes it right after this
  // window and hands it over here; it outlives every use. Without one the button only reloads
  // the list.
  // Each unit that the dialog saves goes into the window's history of changes.
  void AttachNewVarDlg(TNewVarDlg* dialog);

  const TMainFormControls& Controls() const { return controls_; }
  const TEvaluationState& Evaluation() const { return evaluation_; }
  const TWorkArea& WorkArea() const { return workArea_; }
  std::int32_t SelectedIndex() const { return selection_.SelectedIndex(); }
  std::optional<TTokenId> PopupToken() const { return popupToken_; }
  // Whether the window still holds its catalogue handle (it lets it go when it closes).
  bool HoldsDataFile() const { return dataFile_ != nullptr; }
  // What tells screen readers the result of each action.
  const TAnnouncer& Announcer() const { return *announcer_; }
  // The widget that shows a token, or nullptr.
  TTokenLabel* TokenWidget(TTokenId id) const { return tokenWidgets_.Widget(id); }

  // The handlers, named after their control and event. Each may throw the program's errors
  // (EListIndexError, EOverflow, EIniFileException); the wiring shows them.

  // The user selected a list item: shows its four powers, records SelectedIndex, enables the add
  // buttons. Throws EListIndexError when no item is current.
  void UnitsListBoxClick();
  // The find text changed: makes the prefix match current (searched from the second item), or
  // none. Not a click.
  void FindEditChange();
  // A drop on an area or a token (`sender`) at X, Y in its client coordinates: the list's current
  // unit makes a token, a token moves; then the resultant is evaluated.
  void NumeratorDragDrop(QWidget* sender, QWidget* source, int x, int y);
  // A token dropped on the list goes to the trash; then the resultant is evaluated.
  void UnitsListBoxDragDrop(QWidget* source);
  // A drop on the trash: the list's current unit is erased from the catalogue (the list is read
  // again), or a token goes to the trash; then the resultant is evaluated.
  void TrashImageDragDrop(QWidget* source);
  // Before the shared context menu shows on a token or the list: sets PopupToken and whether
  // "Delete" is enabled.
  void Label6ContextPopup(QWidget* sender);
  // "Delete": frees PopupToken's token with what it owns, without evaluating; from the list,
  // erases the current unit as the trash does.
  void Delete1Click();
  // The keyboard's way to "Delete" a token: runs Delete1Click on the newest token of `area` as
  // if its context menu had been opened; nothing when the area is empty.
  void DeleteNewestToken(THolder area);
  // The keyboard's way to the list's "Delete": erases the list's current unit exactly as that
  // menu item would, had the list's context menu been opened; nothing without a current unit.
  void EraseCurrentUnit();
  // Frees every token, then evaluates the resultant.
  void ClearWorkAreaToolButtonClick();
  // Draw a point in the area, then add the list's current item there (nothing without one).
  void AddToNrButtonClick();
  void AddToDrButtonClick();
  // A token's drag begins (red text) and ends (its area's colour again).
  void TokenStartDrag(TTokenLabel* token);
  void TokenEndDrag(TTokenLabel* token);
  // The three evaluations, each shown in the result row.
  void BothToolButtonClick();
  void NToolButtonClick();
  void DToolButtonClick();
  // Opens the new-unit dialog pre-filled with ResultantPowers (not the result row's text, which
  // may show one area's sum), then reads the list again so that a saved unit shows.
  void NewVariableToolButtonClick();
  // Backup and restore of the catalogue, silent either way; a restore reads the list again.
  void BackFilesUpToolButtonClick();
  void RestoreMenuItemClick();
  // Ctrl+Z: takes back the last change that this window made to the catalogue or the backup
  // (an erase, a unit saved in the new-unit dialog, a restore, a backup); Ctrl+Shift+Z, Ctrl+Y:
  // makes the change last taken back again. The list reloads and the resultant is evaluated, as
  // after an erase; what was done shows in the status bar and is told to screen readers. When
  // another program changed the unit (the file) since, nothing is written and the error says so.
  void UndoChange();
  void RedoChange();
  const TChangeHistory& History() const { return history_; }
  // Opens the help page beside the program, or says "Cannot find the browser!".
  void ShowHelpToolButtonClick();
  // A key released anywhere in the window: F1 opens help with the busy cursor.
  void FormKeyUp(int key);
  // The window closes: lets the catalogue go and frees every token without evaluating.
  void FormClose();

 protected:
  void closeEvent(QCloseEvent* event) override;
  void changeEvent(QEvent* event) override;
  bool eventFilter(QObject* watched, QEvent* event) override;

 private:
  void WireControls();
  void WireToken(TTokenLabel* token);
  // How a reload of the list leaves the toolbar panel's hint: worked out again for the resultant
  // last evaluated whole (the plain title when there is none), or the plain title for the
  // evaluation that follows at once to work out.
  enum class THintOnReload { WorkedOut, LeftToEvaluation };
  // Fills the list from the catalogue again, with no current item, and the hint as `hint` says.
  void ReloadUnits(THintOnReload hint = THintOnReload::WorkedOut);
  // Another program changed the catalogue: the list is read again as after the window's own
  // changes, and the unit that was current stays current, with the list scrolled as it was, where
  // it still exists.
  void CatalogueChangedOutside();
  // Erases the unit that the list (or the list drag) holds and reloads the list; the name, or
  // none when the catalogue no longer held it (another program erased it first).
  std::optional<std::string> EraseListUnit();
  void AddSelectionTo(THolder area);
  void SyncTokens();
  // Takes the token `id` off with `takeOff` (trash or delete) and shows the areas; returns the
  // token as it was, or none when there was nothing to take off.
  std::optional<TUnitToken> TakeOff(TTokenId id, bool (TWorkArea::*takeOff)(TTokenId));
  void AnnounceTakenOff(const std::optional<TUnitToken>& token);
  // The evaluation behind the three evaluate buttons: works out `evaluated` from the areas'
  // tokens, shows it in the result row (also what was worked out before an error), tells of
  // powers that cannot be read and tells screen readers the result with the units that have its
  // powers; the resultant's also names them in the toolbar panel's hint.
  void Evaluate(TEvaluated evaluated);
  static void ShowPowers(const TPowerRow& row, const TResultRow& powers);
  // The toolbar panel's hint: the title of the resultant powers, naming `matches`, which come in
  // the list's order (SortedUnitNames).
  void ShowResultantMatches(std::span<const std::string> matches) const;
  void ShowStatus(const QString& text) const;
  void Step(ChangeDirection direction);
  // The hint of the control under the pointer, unless a notice shows and the pointer still rests
  // where it rested when the notice came: a notice stays until the pointer's next hint.
  void ShowPointerHint(const QString& hint);
  // Tells the user, in the status bar and to screen readers, of each stored power of the units of
  // `names` (read by `reading`) that could not be read with the decimal separator in force and so
  // counts as 0: once per unit and key in a run. The read-outs and results keep showing the 0.
  void TellUnreadPowers(const CatalogueReading& reading, std::span<const std::string> names);
  void TellUnreadPowers(std::span<const std::string> names);

  TMainFormControls controls_;
  TAnnouncer* announcer_;
  std::unique_ptr<UnitCatalogue> dataFile_;
  TChangeHistory history_;
  TSelectionState selection_;
  std::optional<TTokenId> popupToken_;
  TEvaluationState evaluation_;
  // Whether the last evaluation of the resultant was worked out whole: only then does the hint
  // name the units that have its powers.
  bool resultantWhole_ = false;
  TWorkArea workArea_;
  TRandomGenerator randomGenerator_;
  TTokenWidgets tokenWidgets_;
  std::unique_ptr<THelpShell> helpShell_;
  std::unique_ptr<TMainFormDragHost> dragHost_;
  std::unique_ptr<TDragController> dragController_;
  std::unique_ptr<TStatusHintTracker> statusTracker_;
  TCatalogueWatch* catalogueWatch_ = nullptr;
  TNewVarDlg* newVarDlg_ = nullptr;
  TToldUnreadPowers toldUnread_;
  // The hint that the pointer last brought to the status bar (or rested on as a notice came), and
  // whether a notice shows instead.
  QString pointerHint_;
  bool noticeShown_ = false;
};

}  // namespace calpero
