#include "ui/main_form.h"

#include <span>
#include <string>
#include <utility>
#include <vector>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QWindow>

#include "calc/power_matches.h"
#include "calc/power_vector.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_order.h"
#include "ui/catalogue_watch.h"
#include "ui/cursor_guard.h"
#include "ui/drag_controller.h"
#include "ui/hint.h"
#include "ui/main_form_drag_host.h"
#include "ui/message_boxes.h"
#include "ui/new_var_dlg.h"
#include "ui/opening_placement.h"
#include "ui/screen_readers.h"
#include "ui/spoken_results.h"
#include "ui/status_hint_tracker.h"
#include "ui/translations.h"
#include "ui/window_shortcuts.h"
#include "window/error_text.h"
#include "window/help_page.h"
#include "window/list_search.h"

namespace calpero {
namespace {

constexpr QSize kClientSize(658, 364);
constexpr QPoint kPosition(188, 156);

// The folder of the running program file, as the file system spells it.
std::string ProgramDir() {
  return QFile::encodeName(QCoreApplication::applicationDirPath()).toStdString();
}

TTextExtentFn AreaTextExtent(const QWidget* area) {
  return [font = area->font()](std::string_view caption) { return MeasureCaption(font, caption); };
}

// Connects `signal` of `sender` to a handler of the window run through the default error
// presentation, so that no error unwinds through the toolkit.
template <typename Sender, typename Signal, typename Handler>
void Wire(Sender* sender, Signal signal, QObject* context, Handler handler) {
  QObject::connect(sender, signal, context, [handler] { RunHandler(handler); });
}

}  // namespace

TMainForm::TMainForm(std::unique_ptr<THelpShell> helpShell, QWidget* parent)
    : QWidget(parent, Qt::Window | Qt::WindowTitleHint | Qt::WindowSystemMenuHint |
                          Qt::WindowMinimizeButtonHint | Qt::WindowCloseButtonHint),
      controls_(this),
      announcer_(new TAnnouncer(this)),
      history_(std::string(UnitCatalogue::kDefaultPath), std::string(UnitCatalogue::kDefaultPath)),
      workArea_(AreaTextExtent(controls_.Numerator)),
      tokenWidgets_(
          {controls_.Numerator->Client(), controls_.Denominator->Client(), controls_.TrashPanel},
          [this](TTokenLabel* token) { WireToken(token); }),
      helpShell_(std::move(helpShell)) {
  const TCursorGuard starting(Qt::BusyCursor);
  setWindowTitle(QStringLiteral("Calpero"));
  setWindowIcon(QIcon(QStringLiteral(":/artwork/calpero.svg")));
  setFixedSize(kClientSize);
  new TOpeningPlacement(this, kPosition);
  WireControls();
  InstallWindowShortcuts(*this);
  dataFile_ = std::make_unique<UnitCatalogue>();
  dataFile_->ObserveChanges([this](const SectionChange& change) { history_.Record(change); });
  catalogueWatch_ = new TCatalogueWatch(*dataFile_, this);
  connect(catalogueWatch_, &TCatalogueWatch::Changed, this,
          [this] { RunHandler([this] { CatalogueChangedOutside(); }); });
  ReloadUnits();
  controls_.AddToNrButton->setEnabled(false);
  controls_.AddToDrButton->setEnabled(false);
  controls_.UnitsListBox->setFocus();
}

TMainForm::~TMainForm() {
  qApp->removeEventFilter(this);
  // The watch looks at the catalogue handle, which goes before the window's children do.
  delete catalogueWatch_;
}

void TMainForm::AttachNewVarDlg(TNewVarDlg* dialog) {
  // A dialog let go of no longer reports to this window, which may end before it. (Start-up's
  // dialog ends before the window.)
  if (newVarDlg_ != nullptr) {
    newVarDlg_->ObserveChanges({});
  }
  newVarDlg_ = dialog;
  if (dialog != nullptr) {
    dialog->ObserveChanges([this](const SectionChange& change) { history_.Record(change); });
  }
}

void TMainForm::WireControls() {
  const TMainFormControls& c = controls_;
  Wire(c.UnitsListBox, &TUnitListBox::UserSelected, this, [this] { UnitsListBoxClick(); });
  // The unit's powers and sentence are told with the row that a burst of moves rests on, not a
  // moment after it: the screen reader deals with all three at once.
  connect(c.UnitsListBox, &TUnitListBox::MovesRested, this, [this] {
    for (TPowerLabel* label : controls_.UnitRow) {
      label->TellSettledNow();
    }
    announcer_->TellSettledNow();
  });
  Wire(c.FindEdit, &QLineEdit::textChanged, this, [this] { FindEditChange(); });
  Wire(c.BothToolButton, &QToolButton::clicked, this, [this] { BothToolButtonClick(); });
  Wire(c.NToolButton, &QToolButton::clicked, this, [this] { NToolButtonClick(); });
  Wire(c.DToolButton, &QToolButton::clicked, this, [this] { DToolButtonClick(); });
  Wire(c.NewVariableToolButton, &QToolButton::clicked, this,
       [this] { NewVariableToolButtonClick(); });
  Wire(c.BackFilesUpToolButton, &QToolButton::clicked, this,
       [this] { BackFilesUpToolButtonClick(); });
  Wire(c.RestoreMenuItem, &QAction::triggered, this, [this] { RestoreMenuItemClick(); });
  Wire(c.ClearWorkAreaToolButton, &QToolButton::clicked, this,
       [this] { ClearWorkAreaToolButtonClick(); });
  Wire(c.ShowHelpToolButton, &QToolButton::clicked, this, [this] { ShowHelpToolButtonClick(); });
  Wire(c.AddToNrButton, &QToolButton::clicked, this, [this] { AddToNrButtonClick(); });
  Wire(c.AddToDrButton, &QToolButton::clicked, this, [this] { AddToDrButtonClick(); });
  Wire(c.Delete1, &QAction::triggered, this, [this] { Delete1Click(); });
  connect(c.UnitsListBox, &QWidget::customContextMenuRequested, this, [this](QPoint at) {
    RunHandler([this] { Label6ContextPopup(controls_.UnitsListBox); });
    controls_.LabelPopupMenu->popup(controls_.UnitsListBox->viewport()->mapToGlobal(at));
  });
  for (QMenu* menu : {c.LabelPopupMenu, c.BackupPopupMenu}) {
    connect(menu, &QMenu::hovered, this,
            [this](QAction* item) { ShowPointerHint(item->statusTip()); });
  }
  dragHost_ = std::make_unique<TMainFormDragHost>(*this);
  dragController_ = std::make_unique<TDragController>(this, *dragHost_);
  // Installed after the drag, so it sees the pointer first, also while a drag goes on.
  statusTracker_ = std::make_unique<TStatusHintTracker>(
      this, [this](const QString& text) { ShowPointerHint(text); });
  qApp->installEventFilter(this);
}

void TMainForm::WireToken(TTokenLabel* token) {
  connect(token, &QWidget::customContextMenuRequested, this, [this, token](QPoint at) {
    RunHandler([this, token] { Label6ContextPopup(token); });
    controls_.LabelPopupMenu->popup(token->mapToGlobal(at));
  });
}

void TMainForm::UnitsListBoxClick() {
  const std::string name = controls_.UnitsListBox->CurrentName();
  // One reading of the file answers the four powers, as four ReadPower calls would.
  const CatalogueReading powers = dataFile_->ReadUnits(std::span(&name, 1));
  // Moving through the list shows unit after unit: screen readers hear the one it rests on. A
  // unit read from elsewhere (Enter in the find box) is a single act, heard at once.
  const bool moving = controls_.UnitsListBox->hasFocus();
  const auto told = moving ? TPowerLabel::TTold::Settled : TPowerLabel::TTold::AtOnce;
  TResultRow shown;
  for (std::size_t i = 0; i < shown.size(); ++i) {
    shown.at(i) = FormatPower(powers.ReadPower(name, kPowerKeys.at(i)));
    controls_.UnitRow.at(i)->ShowPower(QString::fromStdString(shown.at(i)), told);
  }
  if (moving) {
    announcer_->AnnounceSettled(UnitShownSentence(name, shown));
  } else {
    announcer_->Announce(UnitShownSentence(name, shown));
  }
  TellUnreadPowers(powers, std::span(&name, 1));
  selection_.RecordClick(controls_.UnitsListBox->CurrentIndex());
  controls_.AddToNrButton->setEnabled(selection_.AddButtonsEnabled());
  controls_.AddToDrButton->setEnabled(selection_.AddButtonsEnabled());
}

void TMainForm::FindEditChange() {
  const QByteArray text = controls_.FindEdit->text().toUtf8();
  const std::vector<std::string>& names = controls_.UnitsListBox->Names();
  controls_.UnitsListBox->SetCurrentIndex(
      SelectStringIndex(names, std::string_view(text.data(), text.size()), 0));
}

void TMainForm::BothToolButtonClick() { Evaluate(TEvaluated::Resultant); }

void TMainForm::NToolButtonClick() { Evaluate(TEvaluated::Numerator); }

void TMainForm::DToolButtonClick() { Evaluate(TEvaluated::Denominator); }

void TMainForm::Evaluate(TEvaluated evaluated) {
  const UnitCatalogue::OneAction action(*dataFile_);
  // The result row shows what was worked out, also when the evaluation stopped at an error.
  const auto show = qScopeGuard([this] { ShowPowers(controls_.ResultRow, evaluation_.ResultRow); });
  const TAreaNames areas = workArea_.AreaNames();
  const TPowerVector* worked = nullptr;
  switch (evaluated) {
    case TEvaluated::Resultant:
      // The toolbar panel's hint names the catalogue's units with the resultant's powers, and
      // only for a resultant that was worked out whole.
      resultantWhole_ = false;
      ShowResultantMatches({});
      TellUnreadPowers(areas.Numerator);
      TellUnreadPowers(areas.Denominator);
      EvaluateResultant(areas, *dataFile_, evaluation_);
      resultantWhole_ = true;
      worked = &evaluation_.ResultantPowers;
      break;
    case TEvaluated::Numerator:
      TellUnreadPowers(areas.Numerator);
      EvaluateNumerator(areas, *dataFile_, evaluation_);
      worked = &evaluation_.NumeratorSum;
      break;
    case TEvaluated::Denominator:
      TellUnreadPowers(areas.Denominator);
      EvaluateDenominator(areas, *dataFile_, evaluation_);
      worked = &evaluation_.DenominatorSum;
      break;
  }
  const std::vector<std::string> matches = SortedUnitNames(UnitsWithPowers(*dataFile_, *worked));
  if (evaluated == TEvaluated::Resultant) {
    ShowResultantMatches(matches);
  }
  announcer_->Announce(EvaluationSentence(evaluated, evaluation_.ResultRow, matches));
}

void TMainForm::ShowResultantMatches(std::span<const std::string> matches) const {
  SetHint(controls_.ToolBarPanel, ResultantPowersHintText(matches));
}

void TMainForm::ShowHelpToolButtonClick() {
  const std::string page = HelpPagePath(ProgramDir(), WindowLanguage().toStdString());
  if (OpenHelpPage(*helpShell_, page) == THelpOutcome::BrowserNotFound) {
    ShowMessageBox(this, QCoreApplication::translate("MainForm", "Cannot find the browser!"),
                   QCoreApplication::translate("MainForm", "Error"), kMessageFlagsOk);
  }
}

void TMainForm::FormKeyUp(int key) {
  if (key == Qt::Key_F1) {
    const TCursorGuard starting(Qt::BusyCursor);
    ShowHelpToolButtonClick();
  }
}

void TMainForm::FormClose() {
  const TCursorGuard hourglass(Qt::WaitCursor);
  delete catalogueWatch_;
  catalogueWatch_ = nullptr;
  dataFile_.reset();
  workArea_.ClearTokens();
  SyncTokens();
}

void TMainForm::closeEvent(QCloseEvent* event) {
  RunHandler([this] { FormClose(); });
  QWidget::closeEvent(event);
}

void TMainForm::changeEvent(QEvent* event) {
  // The window keeps its designed size: a maximised or full-screen state is undone at once.
  constexpr Qt::WindowStates kResizing = Qt::WindowMaximized | Qt::WindowFullScreen;
  if (event->type() == QEvent::WindowStateChange && (windowState() & kResizing) != 0) {
    setWindowState(windowState() & ~kResizing);
  }
  // Coming back to the window, the user sees the catalogue as it is now, also where the file
  // system reports no changes.
  if (event->type() == QEvent::ActivationChange && isActiveWindow() && catalogueWatch_ != nullptr) {
    catalogueWatch_->Check();
  }
  QWidget::changeEvent(event);
}

bool TMainForm::eventFilter(QObject* watched, QEvent* event) {
  // Key preview: a key released anywhere in the window reaches the window first.
  if (event->type() == QEvent::KeyRelease && watched != nullptr && watched == windowHandle()) {
    const auto* key = static_cast<QKeyEvent*>(event);
    if (!key->isAutoRepeat()) {
      RunHandler([this, code = key->key()] { FormKeyUp(code); });
    }
  }
  return false;
}

void TMainForm::ShowPowers(const TPowerRow& row, const TResultRow& powers) {
  for (std::size_t i = 0; i < row.size(); ++i) {
    row.at(i)->ShowPower(QString::fromStdString(powers.at(i)));
  }
}

void TMainForm::ShowStatus(const QString& text) const {
  controls_.MainStatusBar->showMessage(text);
}

void TMainForm::ShowPointerHint(const QString& hint) {
  if (noticeShown_ && hint == pointerHint_) {
    return;
  }
  noticeShown_ = false;
  pointerHint_ = hint;
  ShowStatus(hint);
}

}  // namespace calpero
