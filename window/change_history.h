#pragma once

#include <cstddef>
#include <deque>
#include <string>

#include "catalogue/catalogue_change.h"
#include "catalogue/errors.h"

namespace calpero {

// What kind of change a step of the history takes back or makes again.
enum class TChangeKind { Erase, Save, Replace, Restore, Backup };

// How one undo or redo went, for the window to tell.
struct TChangeStep {
  enum class TResult {
    Done,
    Nothing,   // the history held nothing to undo (redo)
    Conflict,  // another program changed the unit (the file) since; nothing was written
  };
  TResult Result = TResult::Nothing;
  TChangeKind Kind = TChangeKind::Erase;
  ChangeDirection Direction = ChangeDirection::Undo;
  std::string Unit;  // the unit of a section's change; empty for a restore or a backup
};

// The changes that one window made to the catalogue and the backup, newest last, to take back
// (Undo) and make again (Redo), as far back as the last kDepth changes. Kept in memory only. A
// restore or a backup keeps two copies of a whole file, so the oldest changes also go when all
// that the history holds passes kMostBytes of file text: with a catalogue of a few megabytes, a
// hundred restores would otherwise keep a gigabyte. Short of that, the last kDepth changes stay.
// A new change ends what could be redone. A change that meets a conflict leaves the history, as
// it can no longer be taken back (or made again) without undoing another program's work; one
// that fails to be written stays where it was, to be tried again.
class TChangeHistory {
 public:
  static constexpr std::size_t kDepth = 100;
  static constexpr std::size_t kMostBytes = std::size_t{256} << 20U;

  // `cataloguePath` and `shownPath`: the catalogue that section changes apply to, and its name
  // in messages; a whole-file change of that path is a restore, of any other a backup.
  TChangeHistory(std::string cataloguePath, std::string shownPath);

  void Record(CatalogueChange change);

  // Takes the newest change back (makes the one last taken back again), under the writers' lock.
  // Throws EIniFileException when the file cannot be read, written or locked.
  TChangeStep Undo();
  TChangeStep Redo();

  std::size_t UndoCount() const { return undo_.size(); }
  std::size_t RedoCount() const { return redo_.size(); }

 private:
  TChangeStep Step(std::deque<CatalogueChange>& from, std::deque<CatalogueChange>& to,
                   ChangeDirection direction);
  TChangeKind KindOf(const CatalogueChange& change) const;

  std::string cataloguePath_;
  std::string shownPath_;
  std::deque<CatalogueChange> undo_;
  std::deque<CatalogueChange> redo_;
  std::size_t bytes_ = 0;  // the file text that both hold
};

// The error of a step that met a conflict: nothing was undone (redone) because another program
// has changed the unit since, or the catalogue for a restore, the backup for a backup (the
// MessageId::NothingUndone... and NothingRedone... messages).
Exception ConflictError(const TChangeStep& step);

}  // namespace calpero
