// The main window and its catalogue: reading the unit list again (after its own changes and after
// another program's), the new-unit dialog, backup and restore, undo and redo, and the notices of
// stored powers that cannot be read.

#include <algorithm>
#include <optional>
#include <span>
#include <string>
#include <utility>
#include <vector>

#include <QCoreApplication>
#include <QScrollBar>
#include <QStringList>

#include "calc/power_matches.h"
#include "catalogue/catalogue_copy.h"
#include "catalogue/errors.h"
#include "catalogue/power_text.h"
#include "catalogue/unit_order.h"
#include "ui/catalogue_watch.h"
#include "ui/cursor_guard.h"
#include "ui/main_form.h"
#include "ui/new_var_dlg.h"
#include "ui/screen_readers.h"
#include "ui/spoken_results.h"
#include "ui/status_hint_tracker.h"

namespace calpero {
namespace {

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

void TMainForm::UndoChange() { Step(ChangeDirection::Undo); }

void TMainForm::RedoChange() { Step(ChangeDirection::Redo); }

void TMainForm::Step(ChangeDirection direction) {
  TChangeStep step;
  {
    const TCursorGuard hourglass(Qt::WaitCursor);
    const UnitCatalogue::OneAction action(*dataFile_);
    step = direction == ChangeDirection::Undo ? history_.Undo() : history_.Redo();
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
