#include "window/change_history.h"

#include <utility>
#include <variant>

namespace calpero {

namespace {

// The bytes of file text that a change keeps.
std::size_t BytesOf(const CatalogueChange& change) {
  if (const auto* file = std::get_if<FileChange>(&change)) {
    return file->After.size() + (file->Before ? file->Before->size() : 0);
  }
  const auto& section = std::get<SectionChange>(change);
  return section.Before.size() + section.After.size() + section.Trail.size() +
         (section.Left ? section.Left->size() : 0);
}

}  // namespace

TChangeHistory::TChangeHistory(std::string cataloguePath, std::string shownPath)
    : cataloguePath_(std::move(cataloguePath)), shownPath_(std::move(shownPath)) {}

void TChangeHistory::Record(CatalogueChange change) {
  for (const CatalogueChange& dropped : redo_) {
    bytes_ -= BytesOf(dropped);
  }
  redo_.clear();
  bytes_ += BytesOf(change);
  undo_.push_back(std::move(change));
  while (undo_.size() > kDepth || (bytes_ > kMostBytes && undo_.size() > 1)) {
    bytes_ -= BytesOf(undo_.front());
    undo_.pop_front();
  }
}

TChangeStep TChangeHistory::Undo() { return Step(undo_, redo_, ChangeDirection::Undo); }

TChangeStep TChangeHistory::Redo() { return Step(redo_, undo_, ChangeDirection::Redo); }

TChangeKind TChangeHistory::KindOf(const CatalogueChange& change) const {
  if (const auto* file = std::get_if<FileChange>(&change)) {
    return file->Path == cataloguePath_ ? TChangeKind::Restore : TChangeKind::Backup;
  }
  const auto& section = std::get<SectionChange>(change);
  switch (section.Kind) {
    case SectionChange::Kind::Erased:
      return TChangeKind::Erase;
    case SectionChange::Kind::Added:
      return TChangeKind::Save;
    case SectionChange::Kind::Rewritten:
      break;
  }
  return section.Replaced ? TChangeKind::Replace : TChangeKind::Save;
}

TChangeStep TChangeHistory::Step(std::deque<CatalogueChange>& from, std::deque<CatalogueChange>& to,
                                 ChangeDirection direction) {
  TChangeStep step;
  step.Direction = direction;
  if (from.empty()) {
    return step;
  }
  CatalogueChange change = std::move(from.back());
  from.pop_back();
  step.Kind = KindOf(change);
  ChangeOutcome outcome = ChangeOutcome::Done;
  try {
    if (const auto* section = std::get_if<SectionChange>(&change)) {
      step.Unit = section->Unit;
      outcome = ApplySectionChange(cataloguePath_, shownPath_, *section, direction);
    } else {
      const auto& file = std::get<FileChange>(change);
      outcome = ApplyFileChange(file, file.Path, direction);
    }
  } catch (...) {
    from.push_back(std::move(change));
    throw;
  }
  if (outcome == ChangeOutcome::Conflict) {
    bytes_ -= BytesOf(change);
    step.Result = TChangeStep::TResult::Conflict;
    return step;
  }
  step.Result = TChangeStep::TResult::Done;
  to.push_back(std::move(change));
  return step;
}

Exception ConflictError(const TChangeStep& step) {
  const bool undone = step.Direction == ChangeDirection::Undo;
  switch (step.Kind) {
    case TChangeKind::Restore:
      return Exception(undone ? MessageId::NothingUndoneCatalogue
                              : MessageId::NothingRedoneCatalogue);
    case TChangeKind::Backup:
      return Exception(undone ? MessageId::NothingUndoneBackup : MessageId::NothingRedoneBackup);
    case TChangeKind::Save:
    case TChangeKind::Replace:
    case TChangeKind::Erase:
      break;
  }
  return Exception(undone ? MessageId::NothingUndoneUnit : MessageId::NothingRedoneUnit,
                   {step.Unit});
}

}  // namespace calpero
