#include "catalogue/catalogue_change.h"

#include <algorithm>
#include <cerrno>

#include "catalogue/detail/section_headers.h"
#include "catalogue/errors.h"
#include "catalogue/ini_text.h"
#include "storage/file_system.h"
#include "storage/whole_file.h"
#include "storage/write_lock.h"

namespace calpero {
namespace {

bool IsLineEnd(char c) { return c == '\n' || c == '\r'; }

std::string_view SectionBytes(std::string_view text, const IniSection& section) {
  return text.substr(section.HeaderBegin, section.EntriesEnd - section.HeaderBegin);
}

// The bytes of the unit's first section in `text`, or nothing.
std::optional<std::string_view> UnitBytes(const SectionIndex& index, std::string_view text,
                                          std::string_view unit) {
  const std::optional<IniSection> found = index.Find(unit);
  if (!found) {
    return std::nullopt;
  }
  return SectionBytes(text, *found);
}

bool SameState(const std::optional<std::string_view>& now, const std::optional<std::string>& then) {
  return now.has_value() == then.has_value() && (!now || *now == *then);
}

// The splice that takes the unit's first section out, when it holds `expected`: with `lead`, a
// line end put before it when it was appended, as long as nothing follows it.
std::optional<TextSplice> TakeOut(std::string_view text, std::string_view unit,
                                  std::string_view expected, std::string_view lead) {
  const SectionIndex index(text);
  const std::optional<IniSection> found = index.Find(unit);
  if (!found || SectionBytes(text, *found) != expected) {
    return std::nullopt;
  }
  std::size_t begin = found->HeaderBegin;
  if (!lead.empty() && found->EntriesEnd == text.size() && begin >= lead.size() &&
      text.substr(begin - lead.size(), lead.size()) == lead) {
    begin -= lead.size();
  }
  return TextSplice{begin, found->EntriesEnd, {}};
}

// Whether the text at `place`, the start of a line, goes on with `trail` and then the header of
// `follower` (or ends there).
bool StandsBefore(const SectionIndex& index, std::string_view text, std::size_t place,
                  std::string_view trail, const std::optional<std::string>& follower) {
  if (place > text.size() || text.substr(place, trail.size()) != trail) {
    return false;
  }
  const std::size_t next = place + trail.size();
  if (!follower) {
    return next == text.size();
  }
  const std::optional<IniSection> section = index.NextSection(next);
  return section && section->HeaderBegin == next && section->Name == *follower;
}

bool AtLineStart(std::string_view text, std::size_t place) {
  return place == 0 || place == IniScanner(text).Start() ||
         (place <= text.size() && IsLineEnd(text[place - 1]));
}

// Where an erased section goes back: where it stood, when the text there is as the erase left
// it; else before the lines that followed it and the section after them, or at the end.
std::size_t PlaceFor(const SectionIndex& index, std::string_view text,
                     const SectionChange& change) {
  if (AtLineStart(text, change.Offset) &&
      StandsBefore(index, text, change.Offset, change.Trail, change.Follower)) {
    return change.Offset;
  }
  std::size_t place = text.size();
  if (change.Follower) {
    if (const std::optional<IniSection> next = index.Find(*change.Follower)) {
      place = next->HeaderBegin;
    }
  }
  const std::string_view trail = change.Trail;
  if (place >= trail.size() && text.substr(place - trail.size(), trail.size()) == trail &&
      AtLineStart(text, place - trail.size())) {
    place -= trail.size();
  }
  return place;
}

// The splice that puts `section` in at `place`, with the line ends it needs to stand on lines of
// its own.
TextSplice PutIn(std::string_view text, std::size_t place, std::string_view section,
                 std::string_view lead) {
  std::string insert;
  if (!AtLineStart(text, place)) {
    insert.append(lead.empty() ? LineEndStyle(text) : lead);
  }
  insert.append(section);
  if (place < text.size() && !section.empty() && !IsLineEnd(section.back())) {
    insert.append(LineEndStyle(text));
  }
  return {place, place, std::move(insert)};
}

}  // namespace

SectionChange SavedSectionChange(std::string_view text, std::string_view unit,
                                 const std::optional<IniSection>& found,
                                 const std::vector<TextSplice>& splices) {
  SectionChange change;
  change.Unit = unit;
  if (!found) {
    // A new section: the one splice appends it, after a line end when the last line had none.
    change.Kind = SectionChange::Kind::Added;
    const std::string& insert = splices.front().Insert;
    const std::size_t header = insert.find('[');
    change.Lead = insert.substr(0, header);
    change.After = insert.substr(header);
    change.Offset = text.size() + header;
    return change;
  }
  change.Kind = SectionChange::Kind::Rewritten;
  change.Replaced = found->HasEntries;
  change.Offset = found->HeaderBegin;
  change.Before = SectionBytes(text, *found);
  // Every splice lies within the section's bytes or at their end.
  std::size_t copied = found->HeaderBegin;
  for (const TextSplice& splice : splices) {
    change.After.append(text.substr(copied, splice.Begin - copied)).append(splice.Insert);
    copied = splice.End;
  }
  change.After.append(text.substr(copied, found->EntriesEnd - copied));
  return change;
}

SectionChange ErasedSectionChange(std::string_view text, std::string_view unit,
                                  const IniSection& erased, SectionHeaders headers) {
  SectionChange change;
  change.Kind = SectionChange::Kind::Erased;
  change.Unit = unit;
  change.Offset = erased.HeaderBegin;
  change.Before = SectionBytes(text, erased);
  change.Trail = text.substr(erased.EntriesEnd, erased.End - erased.EntriesEnd);
  const SectionIndex index(text);
  std::optional<IniSection> next;
  std::optional<IniSection> later;
  if (!headers.empty()) {
    const auto after = std::ranges::upper_bound(headers.sections, erased.HeaderBegin, {},
                                                &IniSection::HeaderBegin);
    const SectionHeaders rest =
        headers.From(static_cast<std::size_t>(after - headers.sections.begin()));
    if (!rest.empty()) {
      next = rest.sections.front();
    }
    later = rest.Find(text, unit);
  } else {
    next = index.NextSection(erased.End);
    if (next) {
      later = SectionIndex(text.substr(next->HeaderBegin)).Find(unit);
      if (later) {
        later->HeaderBegin += next->HeaderBegin;
        later->EntriesEnd += next->HeaderBegin;
      }
    }
  }
  if (next) {
    change.Follower = std::string(next->Name);
  }
  if (later) {
    change.Left = std::string(SectionBytes(text, *later));
  }
  return change;
}

std::optional<TextSplice> SectionChangeSplice(std::string_view text, const SectionChange& change,
                                              ChangeDirection direction) {
  const bool undo = direction == ChangeDirection::Undo;
  const SectionIndex index(text);
  switch (change.Kind) {
    case SectionChange::Kind::Rewritten: {
      const std::optional<IniSection> found = index.Find(change.Unit);
      const std::string& expected = undo ? change.After : change.Before;
      if (!found || SectionBytes(text, *found) != expected) {
        return std::nullopt;
      }
      return TextSplice{found->HeaderBegin, found->EntriesEnd, undo ? change.Before : change.After};
    }
    case SectionChange::Kind::Added:
      if (undo) {
        return TakeOut(text, change.Unit, change.After, change.Lead);
      }
      if (UnitBytes(index, text, change.Unit)) {
        return std::nullopt;
      }
      return PutIn(text, text.size(), change.After, change.Lead);
    case SectionChange::Kind::Erased:
      if (!undo) {
        return TakeOut(text, change.Unit, change.Before, {});
      }
      if (!SameState(UnitBytes(index, text, change.Unit), change.Left)) {
        return std::nullopt;
      }
      return PutIn(text, PlaceFor(index, text, change), change.Before, {});
  }
  return std::nullopt;
}

ChangeOutcome ApplySectionChange(const std::string& path, const std::string& shownPath,
                                 const SectionChange& change, ChangeDirection direction) {
  const WriteLock lock(path);
  if (!lock.Held()) {
    throw EIniFileException::Failed(shownPath, lock.Error());
  }
  bool conflict = false;
  std::optional<TextSplice> splice;
  const bool changed = ChangeWholeFile(lock, [&](const WholeFile& file, auto& pieces) {
    splice = SectionChangeSplice(file.Bytes, change, direction);
    conflict = !splice.has_value();
    if (splice) {
      pieces = SectionIndex(file.Bytes).Spliced(std::span(&*splice, 1));
    }
    return splice.has_value();
  });
  if (!changed && !conflict) {
    throw EIniFileException::Failed(shownPath, errno);
  }
  return conflict ? ChangeOutcome::Conflict : ChangeOutcome::Done;
}

ChangeOutcome ApplyFileChange(const FileChange& change, const std::string& shownPath,
                              ChangeDirection direction) {
  const bool undo = direction == ChangeDirection::Undo;
  const std::optional<std::string> expected = undo ? std::optional(change.After) : change.Before;
  const std::optional<std::string> wanted = undo ? change.Before : std::optional(change.After);
  const WriteLock lock(change.Path);
  if (!lock.Held()) {
    throw EIniFileException::Failed(shownPath, lock.Error());
  }
  bool conflict = false;
  bool removal = false;
  const bool changed = ChangeWholeFile(lock, [&](const WholeFile& file, auto& pieces) {
    const bool present = file.Status == WholeFile::Status::Read;
    conflict = present != expected.has_value() || (present && file.Bytes != *expected);
    removal = !conflict && !wanted;
    if (conflict || removal) {
      return false;
    }
    pieces.assign(1, *wanted);
    return true;
  });
  if (removal) {
    // Still under the lock: the file holds what this change wrote, and nobody else writes now.
    if (FileSystem().Unlinkat(lock.Folder(), lock.Name().c_str()) != 0) {
      throw EIniFileException::Failed(shownPath, errno);
    }
    return ChangeOutcome::Done;
  }
  if (!changed && !conflict) {
    throw EIniFileException::Failed(shownPath, errno);
  }
  return conflict ? ChangeOutcome::Conflict : ChangeOutcome::Done;
}

}  // namespace calpero
