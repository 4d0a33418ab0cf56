#include "ui/main_form.h"

#include <algorithm>
#include <array>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <QCloseEvent>
#include <QCoreApplication>
#include <QFile>
#include <QKeyEvent>
#include <QScopeGuard>
#include <QScrollBar>
#include <QStringList>
#include <QWindow>

#include "calc/power_matches.h"
#include "calc/power_vector.h"
#include "catalogue/catalogue_copy.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_order.h"
#include "ui/catalogue_watch.h"
#include "ui/cursor_guard.h"
#include "ui/drag_controller.h"
#include "ui/drag_parties.h"
#include "ui/hint.h"
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

QString FromUtf8(std::string_view text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

// "Half: Mass=0.5 cannot be read with the decimal separator ','; counted as 0": the stored texts
// of one unit quoted as they stand in the file, "Half: Mass=0.5, Length=1.5 ..." for several.
QString UnreadPowerNotice(std::span<const TUnreadPower> unit) {
  QStringList entries;
  for (const TUnreadPower& power : unit) {
    entries << FromUtf8(power.Key) + QLatin1Char('=') + FromUtf8(power.Text);
  }
  const int count = static_cast<int>(unit.size());
  return QCoreApplication::translate(
             "MainForm", "%1: %2 cannot be read with the decimal separator '%3'; counted as 0",
             nullptr, count)
      .arg(FromUtf8(unit.front().Unit), entries.join(QStringLiteral(", ")),
           FromUtf8(DecimalSeparator()));
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
  dragController_ = std::make_unique<TDragController>(this, static_cast<TDragHost&>(*this));
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
  const std::array<TPowerLabel*, 4> row = {controls_.MLabel, controls_.LLabel, controls_.TempLabel,
                                           controls_.TimeLabel};
  TResultRow shown;
  for (std::size_t i = 0; i < row.size(); ++i) {
    shown.at(i) = FormatPower(powers.ReadPower(name, kPowerKeys.at(i)));
    row.at(i)->ShowPower(QString::fromStdString(shown.at(i)));
  }
  // Moving through the list shows unit after unit: screen readers hear the one it rests on.
  announcer_->AnnounceSettled(UnitShownSentence(name, shown));
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

void TMainForm::NumeratorDragDrop(QWidget* sender, QWidget* source, int x, int y) {
  const TDragControl target = ClassifyDragControl(sender, controls_);
  const TDragControl dragged = ClassifyDragControl(source, controls_);
  TDropTarget dropTarget =
      sender == controls_.Numerator ? THolder::Numerator : THolder::Denominator;
  if (target.Party == TDragParty::Token) {
    dropTarget = static_cast<TTokenLabel*>(target.Control)->Id();
  }
  std::optional<TTokenId> placed;
  if (dragged.Party == TDragParty::UnitList) {
    placed = workArea_.PlaceToken(dropTarget, x, y, ListUnitName());
  } else if (dragged.Party == TDragParty::Token) {
    placed = static_cast<TTokenLabel*>(dragged.Control)->Id();
    if (!workArea_.MoveToken(*placed, dropTarget, x, y)) {
      placed.reset();
    }
  }
  SyncTokens();
  const TUnitToken* token = placed ? workArea_.Token(*placed) : nullptr;
  // The evaluation and the sentence that tells of the placement read the catalogue once.
  const UnitCatalogue::OneAction action(*dataFile_);
  BothToolButtonClick();
  if (token != nullptr) {
    announcer_->Announce(
        TokenPlacedSentence(*token, dragged.Party == TDragParty::Token, workArea_, *dataFile_));
  }
}

void TMainForm::UnitsListBoxDragDrop(QWidget* source) {
  const UnitCatalogue::OneAction action(*dataFile_);
  std::optional<TUnitToken> takenOff;
  if (auto* token = qobject_cast<TTokenLabel*>(source)) {
    takenOff = TakeOff(token->Id(), &TWorkArea::TrashToken);
  }
  BothToolButtonClick();
  AnnounceTakenOff(takenOff);
}

void TMainForm::TrashImageDragDrop(QWidget* source) {
  const UnitCatalogue::OneAction action(*dataFile_);
  const TDragControl dragged = ClassifyDragControl(source, controls_);
  std::optional<std::string> erased;
  std::optional<TUnitToken> takenOff;
  if (dragged.Party == TDragParty::UnitList) {
    erased = EraseListUnit();
  } else if (dragged.Party == TDragParty::Token) {
    takenOff = TakeOff(static_cast<TTokenLabel*>(dragged.Control)->Id(), &TWorkArea::TrashToken);
  }
  BothToolButtonClick();
  if (erased) {
    announcer_->Announce(UnitErasedSentence(*erased));
  }
  AnnounceTakenOff(takenOff);
}

std::optional<std::string> TMainForm::EraseListUnit() {
  const TCursorGuard hourglass(Qt::WaitCursor);
  std::string name = ListUnitName();
  const bool erased = dataFile_->EraseUnit(name);
  // The trash drop evaluates next, which works the hint out again.
  ReloadUnits(THintOnReload::LeftToEvaluation);
  return erased ? std::optional(std::move(name)) : std::nullopt;
}

void TMainForm::Label6ContextPopup(QWidget* sender) {
  if (auto* token = qobject_cast<TTokenLabel*>(sender)) {
    popupToken_ = token->Id();
    controls_.Delete1->setEnabled(true);
    return;
  }
  popupToken_.reset();
  controls_.Delete1->setEnabled(controls_.UnitsListBox->CurrentIndex().has_value());
}

void TMainForm::Delete1Click() {
  if (popupToken_) {
    const std::optional<TUnitToken> takenOff = TakeOff(*popupToken_, &TWorkArea::DeleteToken);
    popupToken_.reset();
    AnnounceTakenOff(takenOff);
    return;
  }
  TrashImageDragDrop(controls_.UnitsListBox);
}

void TMainForm::DeleteNewestToken(THolder area) {
  const std::vector<const TUnitToken*> tokens = workArea_.TokensIn(area);
  if (tokens.empty()) {
    return;
  }
  // Token ids grow with every token made, so the newest has the highest.
  const auto newest =
      std::ranges::max_element(tokens, {}, [](const TUnitToken* token) { return token->Id; });
  popupToken_ = (*newest)->Id;
  Delete1Click();
}

void TMainForm::EraseCurrentUnit() {
  Label6ContextPopup(controls_.UnitsListBox);
  if (controls_.Delete1->isEnabled()) {
    Delete1Click();
  }
}

void TMainForm::ClearWorkAreaToolButtonClick() {
  workArea_.ClearTokens();
  SyncTokens();
  BothToolButtonClick();
  announcer_->Announce(WorkAreaClearedSentence());
}

void TMainForm::AddToNrButtonClick() { AddSelectionTo(THolder::Numerator); }

void TMainForm::AddToDrButtonClick() { AddSelectionTo(THolder::Denominator); }

void TMainForm::AddSelectionTo(THolder area) {
  const TDrawnPoint point = DrawAddButtonPoint(randomGenerator_, area);
  // Only a current item is added, whichever it is; without one nothing is made.
  if (controls_.UnitsListBox->CurrentIndex()) {
    QWidget* target = area == THolder::Numerator ? controls_.Numerator : controls_.Denominator;
    NumeratorDragDrop(target, controls_.UnitsListBox, point.X, point.Y);
  }
}

// The window's handlers are its methods, even those that need none of its state.
void TMainForm::TokenStartDrag(TTokenLabel* token) { token->SetDragged(true); }

void TMainForm::TokenEndDrag(TTokenLabel* token) { token->SetDragged(false); }

void TMainForm::BothToolButtonClick() {
  const UnitCatalogue::OneAction action(*dataFile_);
  const auto show = qScopeGuard([this] { ShowResultRow(); });
  // The toolbar panel's hint names the catalogue's units with the resultant's powers, and only
  // for a resultant that was worked out whole.
  resultantWhole_ = false;
  ShowResultantMatches({});
  const TAreaNames areas = workArea_.AreaNames();
  TellUnreadPowers(areas.Numerator);
  TellUnreadPowers(areas.Denominator);
  EvaluateResultant(areas, *dataFile_, evaluation_);
  resultantWhole_ = true;
  const std::vector<std::string> matches =
      SortedUnitNames(UnitsWithPowers(*dataFile_, evaluation_.ResultantPowers));
  ShowResultantMatches(matches);
  announcer_->Announce(EvaluationSentence(TEvaluated::Resultant, evaluation_.ResultRow, matches));
}

void TMainForm::ShowResultantMatches(std::span<const std::string> matches) const {
  SetHint(controls_.ToolBarPanel, ResultantPowersHintText(matches));
}

void TMainForm::NToolButtonClick() {
  const UnitCatalogue::OneAction action(*dataFile_);
  const auto show = qScopeGuard([this] { ShowResultRow(); });
  const TAreaNames areas = workArea_.AreaNames();
  TellUnreadPowers(areas.Numerator);
  EvaluateNumerator(areas, *dataFile_, evaluation_);
  const std::vector<std::string> matches =
      SortedUnitNames(UnitsWithPowers(*dataFile_, evaluation_.NumeratorSum));
  announcer_->Announce(EvaluationSentence(TEvaluated::Numerator, evaluation_.ResultRow, matches));
}

void TMainForm::DToolButtonClick() {
  const UnitCatalogue::OneAction action(*dataFile_);
  const auto show = qScopeGuard([this] { ShowResultRow(); });
  const TAreaNames areas = workArea_.AreaNames();
  TellUnreadPowers(areas.Denominator);
  EvaluateDenominator(areas, *dataFile_, evaluation_);
  const std::vector<std::string> matches =
      SortedUnitNames(UnitsWithPowers(*dataFile_, evaluation_.DenominatorSum));
  announcer_->Announce(EvaluationSentence(TEvaluated::Denominator, evaluation_.ResultRow, matches));
}

void TMainForm::NewVariableToolButtonClick() {
  if (newVarDlg_ != nullptr) {
    newVarDlg_->Execute(evaluation_.ResultantPowers);
  }
  ReloadUnits();
}

void TMainForm::BackFilesUpToolButtonClick() {
  const TCursorGuard starting(Qt::BusyCursor);
  // A failed copy is not reported: the user sees no change either way.
  FileChange change;
  if (BackUpCatalogue(&change)) {
    history_.Record(std::move(change));
    announcer_->Announce(BackupMadeSentence());
  }
}

void TMainForm::RestoreMenuItemClick() {
  const TCursorGuard starting(Qt::BusyCursor);
  FileChange change;
  const bool restored = RestoreCatalogue(&change);
  if (restored) {
    history_.Record(std::move(change));
  }
  ReloadUnits();
  if (restored) {
    announcer_->Announce(CatalogueRestoredSentence());
  }
}

void TMainForm::UndoChange() { Step(ChangeDirection::kUndo); }

void TMainForm::RedoChange() { Step(ChangeDirection::kRedo); }

void TMainForm::Step(ChangeDirection direction) {
  TChangeStep step;
  {
    const TCursorGuard hourglass(Qt::WaitCursor);
    const UnitCatalogue::OneAction action(*dataFile_);
    step = direction == ChangeDirection::kUndo ? history_.Undo() : history_.Redo();
    if (step.Result != TChangeStep::TResult::Nothing) {
      // What the file holds now shows, also after a conflict: another program changed it.
      ReloadUnits(THintOnReload::LeftToEvaluation);
      BothToolButtonClick();
    }
  }
  if (step.Result == TChangeStep::TResult::Conflict) {
    throw ConflictError(step);
  }
  const QString sentence = ChangeStepSentence(step);
  ShowStatus(sentence);
  announcer_->Announce(sentence);
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

QWidget* TMainForm::DragSourceFor(QWidget* pressed, TDragStart& start) {
  const TDragControl control = ClassifyDragControl(pressed, controls_);
  switch (control.Party) {
    case TDragParty::Token:
    case TDragParty::Trash:
      start = TDragStart::AtOnce;
      return control.Control;
    case TDragParty::UnitList:
      // Only the items' part drags; the scroll bars work as scroll bars.
      start = pressed == controls_.UnitsListBox->viewport() ? TDragStart::AfterThreshold
                                                            : TDragStart::Never;
      return control.Control;
    case TDragParty::Area:
    case TDragParty::Other:
      break;
  }
  start = TDragStart::Never;
  return nullptr;
}

bool TMainForm::DragOver(QWidget* underPointer, QWidget* source, QPoint /*inWindow*/) {
  return AcceptsDrop(ClassifyDragControl(underPointer, controls_).Party,
                     ClassifyDragControl(source, controls_).Party);
}

void TMainForm::DragDrop(QWidget* underPointer, QWidget* source, QPoint inWindow) {
  const TDragControl target = ClassifyDragControl(underPointer, controls_);
  const QPoint at = ClientPoint(target, inWindow);
  RunHandler([&] {
    switch (target.Party) {
      case TDragParty::Area:
      case TDragParty::Token:
        NumeratorDragDrop(target.Control, source, at.x(), at.y());
        break;
      case TDragParty::UnitList:
        UnitsListBoxDragDrop(source);
        break;
      case TDragParty::Trash:
        TrashImageDragDrop(source);
        break;
      case TDragParty::Other:
        break;
    }
  });
}

void TMainForm::StartDrag(QWidget* source) {
  if (auto* token = qobject_cast<TTokenLabel*>(source)) {
    TokenStartDrag(token);
  } else if (source == controls_.UnitsListBox) {
    // The unit that the press picked up, by its name: whatever happens to the list until the
    // drop (a reload, a find), the drop acts on this unit.
    const auto index = controls_.UnitsListBox->CurrentIndex();
    listDrag_.emplace();
    if (index) {
      listDrag_->Unit = controls_.UnitsListBox->Names()[*index];
    }
  }
}

void TMainForm::EndDrag(QWidget* source) {
  listDrag_.reset();
  if (auto* token = qobject_cast<TTokenLabel*>(source)) {
    TokenEndDrag(token);
  }
}

std::string TMainForm::ListUnitName() const {
  if (!listDrag_) {
    return controls_.UnitsListBox->CurrentName();
  }
  if (!listDrag_->Unit) {
    throw EListIndexError(-1);
  }
  return *listDrag_->Unit;
}

void TMainForm::ReloadUnits(THintOnReload hint) {
  std::optional<TPowerVector> hinted;
  if (hint == THintOnReload::WorkedOut && resultantWhole_) {
    hinted = evaluation_.ResultantPowers;
  }
  if (catalogueWatch_ != nullptr) {
    catalogueWatch_->Seen();
  }
  // One reading serves the list and the hint, so the hint names only units that the list shows.
  TUnitsAndMatches read = ListUnitsAndMatches(*dataFile_, hinted);
  controls_.UnitsListBox->SetNames(std::move(read.Units));
  ShowResultantMatches(SortedUnitNames(std::move(read.Matches)));
}

void TMainForm::CatalogueChangedOutside() {
  TUnitListBox* list = controls_.UnitsListBox;
  const std::vector<std::string>& names = list->Names();
  const auto current = list->CurrentIndex();
  const std::optional<std::string> currentName =
      current ? std::optional(names[*current]) : std::nullopt;
  const QModelIndex top = list->indexAt(QPoint(0, 0));
  const std::optional<std::string> topName =
      top.isValid() ? std::optional(names[static_cast<std::size_t>(top.row())]) : std::nullopt;
  const int scrolled = list->verticalScrollBar()->value();
  ReloadUnits();
  const auto rowOf = [list](const std::optional<std::string>& name) -> std::optional<std::size_t> {
    if (!name) {
      return std::nullopt;
    }
    const std::vector<std::string>& now = list->Names();
    const auto found = std::ranges::find(now, *name);
    return found == now.end() ? std::nullopt
                              : std::optional(static_cast<std::size_t>(found - now.begin()));
  };
  if (const auto topRow = rowOf(topName)) {
    list->scrollTo(list->model()->index(static_cast<int>(*topRow), 0),
                   QAbstractItemView::PositionAtTop);
  } else {
    list->verticalScrollBar()->setValue(scrolled);
  }
  if (const auto currentRow = rowOf(currentName)) {
    list->SetCurrentIndex(currentRow);
  }
}

void TMainForm::SyncTokens() { tokenWidgets_.Sync(workArea_); }

std::optional<TUnitToken> TMainForm::TakeOff(TTokenId id, bool (TWorkArea::*takeOff)(TTokenId)) {
  std::optional<TUnitToken> token;
  if (const TUnitToken* before = workArea_.Token(id)) {
    token = *before;
  }
  if (!(workArea_.*takeOff)(id)) {
    token.reset();
  }
  SyncTokens();
  return token;
}

void TMainForm::AnnounceTakenOff(const std::optional<TUnitToken>& token) {
  // A token taken from the trash holder was on neither area: nothing to tell.
  if (token && token->Holder != THolder::Trash) {
    announcer_->Announce(
        TokenTakenOffSentence(token->Caption, token->Holder, workArea_, *dataFile_));
  }
}

void TMainForm::ShowResultRow() {
  const std::array<TPowerLabel*, 4> row = {controls_.rMLabel, controls_.rLLabel,
                                           controls_.rTempLabel, controls_.rTimeLabel};
  for (std::size_t i = 0; i < row.size(); ++i) {
    row.at(i)->ShowPower(QString::fromStdString(evaluation_.ResultRow.at(i)));
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

void TMainForm::TellUnreadPowers(std::span<const std::string> names) {
  if (!names.empty()) {
    TellUnreadPowers(dataFile_->ReadUnits(names), names);
  }
}

void TMainForm::TellUnreadPowers(const CatalogueReading& reading,
                                 std::span<const std::string> names) {
  std::vector<TUnreadPower> refused = UnreadPowers(reading, names);
  // A number beyond the double range is no silent 0: reading it raises an error, shown as such.
  std::erase_if(refused, [](const TUnreadPower& power) { return power.Overflow; });
  // One sentence per unit: UnreadPowers gives each unit's keys together.
  const std::vector<TUnreadPower> fresh = toldUnread_.NotYetTold(std::move(refused));
  QStringList notices;
  for (auto first = fresh.begin(); first != fresh.end();) {
    const auto end = std::find_if(first, fresh.end(), [&first](const TUnreadPower& power) {
      return power.Unit != first->Unit;
    });
    notices << UnreadPowerNotice(std::span(first, end));
    first = end;
  }
  if (notices.isEmpty()) {
    return;
  }
  const QString text = notices.join(QLatin1Char(' '));
  ShowStatus(text);
  noticeShown_ = true;
  pointerHint_ = statusTracker_->HintUnderPointer();
  announcer_->AnnounceNote(text);
}

}  // namespace calpero
