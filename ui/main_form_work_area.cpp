// The main window's work area: the drops on the areas, the list and the trash, the tokens' context
// menu and its keyboard ways, the add buttons and clearing the areas.

#include <algorithm>
#include <optional>
#include <string>
#include <utility>
#include <vector>

#include "calc/random_generator.h"
#include "ui/cursor_guard.h"
#include "ui/drag_parties.h"
#include "ui/main_form.h"
#include "ui/main_form_drag_host.h"
#include "ui/screen_readers.h"
#include "ui/spoken_results.h"

namespace calpero {

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
    placed = workArea_.PlaceToken(dropTarget, x, y, dragHost_->ListUnitName());
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
  std::string name = dragHost_->ListUnitName();
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
  TAreaPanel* target = area == THolder::Numerator ? controls_.Numerator : controls_.Denominator;
  const TDrawnPoint point =
      DrawAddButtonPoint(randomGenerator_, {.Width = target->width(), .Height = target->height()});
  // Only a current item is added, whichever it is; without one nothing is made.
  if (controls_.UnitsListBox->CurrentIndex()) {
    NumeratorDragDrop(target, controls_.UnitsListBox, point.X, point.Y);
  }
}

// The window's handlers are its methods, even those that need none of its state.
void TMainForm::TokenStartDrag(TTokenLabel* token) { token->SetDragged(true); }

void TMainForm::TokenEndDrag(TTokenLabel* token) { token->SetDragged(false); }

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

}  // namespace calpero
