#pragma once

#include <cstddef>
#include <optional>
#include <string>
#include <string_view>
#include <variant>
#include <vector>

#include "catalogue/section_index.h"

namespace calpero {

// One change that a writer made to one unit's section of the catalogue: enough to take it back,
// or to make it again, on the file as it is then, byte for byte where the file is still as the
// change left it. A section's bytes run from its header to the end of its last entry, as
// SectionIndex::Erase takes them; the lines after its last entry belong to what follows.
struct SectionChange {
  enum class Kind {
    Added,      // a new section appended at the end (a new unit saved)
    Erased,     // a section taken out
    Rewritten,  // a section's entries changed in place (a unit replaced, or an empty one filled)
  };
  Kind Kind = Kind::Rewritten;
  std::string Unit;    // the name the change was asked for
  std::string Before;  // Erased, Rewritten: the section's bytes before the change
  std::string After;   // Added, Rewritten: the section's bytes after it
  // Whether the rewritten section held entries before (a replacement of a unit).
  bool Replaced = false;
  // Where the section's header began (in the text that held it).
  std::size_t Offset = 0;
  // Added: the line end put before the new section because the file's last line had none.
  std::string Lead;
  // Erased: the lines between the section's last entry and the next header (or the end), which
  // stayed, the name of that next section, and the section of the same name that Find gave after
  // the erase (a later one of that name), if any.
  std::string Trail;
  std::optional<std::string> Follower;
  std::optional<std::string> Left;
};

// A change that replaced a whole file (a restore of the catalogue, a backup): what the file held
// before (nothing when there was no file) and what was written.
struct FileChange {
  std::string Path;
  std::optional<std::string> Before;
  std::string After;
};

using CatalogueChange = std::variant<SectionChange, FileChange>;

enum class ChangeDirection { Undo, Redo };

// The record of storing `splices` (from SectionIndex::SetEntries) for `unit` in `text`, where
// `found` is the unit's first section before the change (SectionIndex::Find), if any.
SectionChange SavedSectionChange(std::string_view text, std::string_view unit,
                                 const std::optional<IniSection>& found,
                                 const std::vector<TextSplice>& splices);

// The one splice that takes `change` back (Undo) or makes it again (Redo) in `text`, or nothing
// when the unit's section is no longer as the change left it (Undo) or found it (Redo): another
// writer changed that unit since, and nothing may be written over it. The rest of the text stays
// as it is: an erased section goes back where it stood when its surroundings are as the erase
// left them, else before the section that followed it (or at the end when that one is gone).
std::optional<TextSplice> SectionChangeSplice(std::string_view text, const SectionChange& change,
                                              ChangeDirection direction);

// How taking back or making again a change of the file went.
enum class ChangeOutcome {
  Done,
  Conflict,  // the unit (the file) was changed by another writer since; nothing was written
};

// Applies SectionChangeSplice to the catalogue at `path` under its WriteLock, reading it there.
// Throws EIniFileException (naming `shownPath`, with the reason) when the file cannot be read,
// written or locked, leaving it as it was.
ChangeOutcome ApplySectionChange(const std::string& path, const std::string& shownPath,
                                 const SectionChange& change, ChangeDirection direction);

// Takes a whole-file change back or makes it again under the file's WriteLock: only when the file
// (read under the lock) holds exactly what the change left (Undo) or found (Redo), it gets the
// other side back, byte for byte; a file that did not exist on that side is removed. Throws
// EIniFileException as ApplySectionChange does, naming `change.path` as `shownPath`.
ChangeOutcome ApplyFileChange(const FileChange& change, const std::string& shownPath,
                              ChangeDirection direction);

}  // namespace calpero
