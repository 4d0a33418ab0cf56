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
#include <QWindow>

#include "app/help_page.h"
#include "app/hint_text.h"
#include "app/list_search.h"
#include "app/unit_order.h"
#include "calc/power_matches.h"
#include "calc/power_vector.h"
#include "catalogue/catalogue_copy.h"
#include "catalogue/power_keys.h"
#include "ui/cursor_guard.h"
#include "ui/drag_controller.h"
#include "ui/drag_parties.h"
#include "ui/error_presentation.h"
#include "ui/hint.h"
#include "ui/message_box.h"
#include "ui/new_var_dlg.h"
#include "ui/opening_placement.h"
#include "ui/status_hint_tracker.h"
#include "ui/window_shortcuts.h"

namespace calpero {
namespace {

constexpr QSize kClientSize(658, 364);
constexpr QPoint kPosition(188, 156);

QString FromUtf8(const std::string& text) {
  return QString::fromUtf8(text.data(), static_cast<qsizetype>(text.size()));
}

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
      workArea_(AreaTextExtent(controls_.Numerator)),
      tokenWidgets_(
          {controls_.Numerator->Client(), controls_.Denominator->Client(), controls_.TrashPanel},
          [this](TTokenLabel* token) { WireToken(token); }),
      helpShell_(std::move(helpShell)) {
  const TCursorGuard starting(Qt::BusyCursor);
  setWindowTitle(QStringLiteral("Calpero"));
  setWindowIcon(QIcon(QStringLiteral(":/artwork/calpero.svg")));
  QPalette colors = palette();
  colors.setColor(QPalette::Window, colors.color(QPalette::Button));
  setPalette(colors);
  setFixedSize(kClientSize);
  new TOpeningPlacement(this, kPosition);
  WireControls();
  InstallWindowShortcuts(*this);
  dataFile_ = std::make_unique<UnitCatalogue>();
  ReloadUnits();
  controls_.AddToNrButton->setEnabled(false);
  controls_.AddToDrButton->setEnabled(false);
  controls_.UnitsListBox->setFocus();
}

TMainForm::~TMainForm() { qApp->removeEventFilter(this); }

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
    connect(menu, &QMenu::hovered, this, [this](QAction* item) { ShowStatus(item->statusTip()); });
  }
  dragController_ = std::make_unique<TDragController>(this, static_cast<TDragHost&>(*this));
  // Installed after the drag, so it sees the pointer first, also while a drag goes on.
  statusTracker_ =
      std::make_unique<TStatusHintTracker>(this, [this](const QString& text) { ShowStatus(text); });
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
  const std::array<QLabel*, 4> row = {controls_.MLabel, controls_.LLabel, controls_.TempLabel,
                                      controls_.TimeLabel};
  for (std::size_t i = 0; i < row.size(); ++i) {
    row.at(i)->setText(FromUtf8(FormatPower(powers.ReadPower(name, kPowerKeys.at(i)))));
  }
  selection_.RecordClick(controls_.UnitsListBox->CurrentIndex());
  controls_.AddToNrButton->setEnabled(selection_.AddButtonsEnabled());
  controls_.AddToDrButton->setEnabled(selection_.AddButtonsEnabled());
}

// NOLINTNEXTLINE(readability-make-member-function-const): it changes the list's current item
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
  if (dragged.Party == TDragParty::UnitList) {
    workArea_.PlaceToken(dropTarget, x, y, controls_.UnitsListBox->CurrentName());
  } else if (dragged.Party == TDragParty::Token) {
    workArea_.MoveToken(static_cast<TTokenLabel*>(dragged.Control)->Id(), dropTarget, x, y);
  }
  SyncTokens();
  BothToolButtonClick();
}

void TMainForm::UnitsListBoxDragDrop(QWidget* source) {
  if (auto* token = qobject_cast<TTokenLabel*>(source)) {
    workArea_.TrashToken(token->Id());
    SyncTokens();
  }
  BothToolButtonClick();
}

void TMainForm::TrashImageDragDrop(QWidget* source) {
  const TDragControl dragged = ClassifyDragControl(source, controls_);
  if (dragged.Party == TDragParty::UnitList) {
    EraseCurrentUnit();
  } else if (dragged.Party == TDragParty::Token) {
    workArea_.TrashToken(static_cast<TTokenLabel*>(dragged.Control)->Id());
    SyncTokens();
  }
  BothToolButtonClick();
}

void TMainForm::EraseCurrentUnit() {
  const TCursorGuard hourglass(Qt::WaitCursor);
  const std::string name = controls_.UnitsListBox->CurrentName();
  dataFile_->EraseUnit(name);
  ReloadUnits();
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
    workArea_.DeleteToken(*popupToken_);
    popupToken_.reset();
    SyncTokens();
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

void TMainForm::ClearWorkAreaToolButtonClick() {
  workArea_.ClearTokens();
  SyncTokens();
  BothToolButtonClick();
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
// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
void TMainForm::TokenStartDrag(TTokenLabel* token) { token->SetDragged(true); }

// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
void TMainForm::TokenEndDrag(TTokenLabel* token) { token->SetDragged(false); }

void TMainForm::BothToolButtonClick() {
  const auto show = qScopeGuard([this] { ShowResultRow(); });
  // The toolbar panel's hint names the catalogue's units with the resultant's powers, and only
  // for a resultant that was worked out whole.
  SetHint(controls_.ToolBarPanel, QString::fromStdString(ResultantPowersHint({})));
  EvaluateResultant(workArea_.AreaNames(), *dataFile_, evaluation_);
  const std::vector<std::string> matches =
      SortedUnitNames(UnitsWithPowers(*dataFile_, evaluation_.ResultantPowers));
  SetHint(controls_.ToolBarPanel, QString::fromUtf8(ResultantPowersHint(matches)));
}

void TMainForm::NToolButtonClick() {
  const auto show = qScopeGuard([this] { ShowResultRow(); });
  EvaluateNumerator(workArea_.AreaNames(), *dataFile_, evaluation_);
}

void TMainForm::DToolButtonClick() {
  const auto show = qScopeGuard([this] { ShowResultRow(); });
  EvaluateDenominator(workArea_.AreaNames(), *dataFile_, evaluation_);
}

void TMainForm::NewVariableToolButtonClick() {
  if (newVarDlg_ != nullptr) {
    newVarDlg_->Execute(evaluation_.ResultantPowers);
  }
  ReloadUnits();
}

// NOLINTNEXTLINE(readability-convert-member-functions-to-static)
void TMainForm::BackFilesUpToolButtonClick() {
  const TCursorGuard starting(Qt::BusyCursor);
  // A failed copy is not reported: the user sees no change either way.
  static_cast<void>(BackUpCatalogue());
}

void TMainForm::RestoreMenuItemClick() {
  const TCursorGuard starting(Qt::BusyCursor);
  static_cast<void>(RestoreCatalogue());
  ReloadUnits();
}

void TMainForm::ShowHelpToolButtonClick() {
  const std::string page = HelpPagePath(ProgramDir());
  if (OpenHelpPage(*helpShell_, page) == THelpOutcome::BrowserNotFound) {
    ShowMessageBox(this, QStringLiteral("Cannot find the browser!"), QStringLiteral("Error"),
                   kMessageFlagsOk);
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

bool TMainForm::DragOver(QWidget* underPointer, QWidget* source, QPoint /*global*/) {
  return AcceptsDrop(ClassifyDragControl(underPointer, controls_).Party,
                     ClassifyDragControl(source, controls_).Party);
}

void TMainForm::DragDrop(QWidget* underPointer, QWidget* source, QPoint global) {
  const TDragControl target = ClassifyDragControl(underPointer, controls_);
  const QPoint at = ClientPoint(target, global);
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
  }
}

void TMainForm::EndDrag(QWidget* source) {
  if (auto* token = qobject_cast<TTokenLabel*>(source)) {
    TokenEndDrag(token);
  }
}

void TMainForm::ReloadUnits() {
  controls_.UnitsListBox->SetNames(SortedUnitNames(dataFile_->ListUnits()));
}

void TMainForm::SyncTokens() { tokenWidgets_.Sync(workArea_); }

void TMainForm::ShowResultRow() {
  const std::array<QLabel*, 4> row = {controls_.rMLabel, controls_.rLLabel, controls_.rTempLabel,
                                      controls_.rTimeLabel};
  for (std::size_t i = 0; i < row.size(); ++i) {
    row.at(i)->setText(FromUtf8(evaluation_.ResultRow.at(i)));
  }
}

void TMainForm::ShowStatus(const QString& text) const {
  controls_.MainStatusBar->showMessage(text);
}

}  // namespace calpero
