#pragma once

#include <cstddef>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <unordered_map>
#include <vector>

#include "catalogue/ini_text.h"
#include "text/text_bytes.h"

namespace calpero {

// Where one section of an INI text lies: its header line and its body, which runs up to the next
// header or the end of the text. Offsets index the text; the name views it.
struct IniSection {
  std::string_view Name;        // as stored, blanks around it trimmed
  std::size_t HeaderBegin = 0;  // first byte of the header line
  std::size_t BodyBegin = 0;    // just after the header line's line end
  std::size_t End = 0;          // where the next header begins, or the text's size
  std::size_t EntriesEnd = 0;   // just after the last entry line; bodyBegin when there is none
  bool HasEntries = false;      // whether the body holds at least one entry
  bool LastEntryEnded = true;   // whether the last entry line (or else the header) has a line end
};

// One entry to store: its key and its value text.
struct IniEntryText {
  std::string_view Key;
  std::string_view Value;
};

// One change to a text: the bytes from `begin` to `end` give way to `insert` (an insertion when
// the two are equal, a removal when `insert` is empty). A change to the catalogue file is a few
// splices of its text, so the new file can be written as the old text's unchanged stretches with
// the new bytes between them, without first building a second copy of a large file.
struct TextSplice {
  std::size_t Begin = 0;
  std::size_t End = 0;
  std::string Insert;
};

class SectionTable;

// The sections of one catalogue text, by name. Making one costs nothing: each question looks
// through the text when it is asked, and only as far as it must. Headers are found by jumping
// from one "[" to the next (memchr), reading only the lines that such a "[" begins, so a large
// catalogue is looked through at the speed of a memory search; a section's body is read only
// when its entries are asked for. Names compare without regard to ASCII letter case (see
// SameIniName); lines before the first header belong to no section.
class SectionIndex {
 public:
  // `text` must outlive the index and everything it returns that views it.
  explicit SectionIndex(std::string_view text) : text_(text) {}

  // Every section name in file order, in its stored bytes and letter case, duplicates included.
  std::vector<std::string> Names() const;

  // The first section named `name`, every field filled, or nothing.
  std::optional<IniSection> Find(std::string_view name) const;

  // The first section of each of `names` that the text holds, ready to be asked by name; the
  // look ends as soon as every name is found.
  SectionTable FindAll(std::span<const std::string> names) const;

  // Every section in file order, every field filled, duplicates included.
  std::vector<IniSection> Sections() const;

  // The first section whose header begins at `from` or later, `from` being the start of a line,
  // with what its header line tells (as Headers() gives it), or nothing. Reads only as far as
  // that header.
  std::optional<IniSection> NextSection(std::size_t from) const;

  // The first entry of `section` (a section of this text) whose key is `key`, or nothing.
  std::optional<IniLine> FindEntry(const IniSection& section, std::string_view key) const;

  // The splices, in order, that store `entries` in the first section named `section`. An
  // existing entry (the first of its key) keeps its line, its key's spelling and the blanks
  // before its value; only the value text is replaced. A missing entry is added as "key=value"
  // after the last entry of the section (after the header when it has none), so blank and
  // comment lines that close the section stay after it. A missing section is appended at the
  // end under `section` as given, followed by its entries. New lines take the text's line end
  // (LF when it has none); a last line without a line end gets one first. Every other byte stays
  // as it was. When a key comes twice in `entries`, the later value wins.
  // Throws EInvalidUnitName, naming the name and the problem, when a new section is needed and
  // `section` cannot be written as a header that reads back as the same name (empty; a NUL, CR,
  // LF or "]"; a space or tab at its start or end); std::invalid_argument when a key or value
  // cannot be stored so that it reads back the same (empty or blank-edged key, "=" or a line
  // break in it, a key starting with "[" or ";", a line break in a value).
  std::vector<TextSplice> SetEntries(std::string_view section,
                                     std::span<const IniEntryText> entries) const;

  // The one splice that removes the first section named `section`: its header, its entries and
  // every line between them. Comment, blank and other lines after its last entry stay, as do
  // those of a section without entries, which loses only its header. Nothing when there is no
  // such section. Never throws beyond allocation failure.
  std::optional<TextSplice> Erase(std::string_view section) const;

  // The splice that Erase makes for `found`, a section of this text with every field filled.
  static TextSplice Erasing(const IniSection& found);

  // The changed text as pieces in order: views of the unchanged stretches of the text and of the
  // splices' inserts (empty pieces left out), ready to be written one after the other. `splices`
  // must be in order of `begin`, must not overlap and must lie within the text; splices at the
  // same place apply in their order. The views live as long as the text and `splices` do.
  std::vector<std::string_view> Spliced(std::span<const TextSplice> splices) const;

 private:
  std::string_view text_;
};

// The sections that SectionIndex::FindAll found, by name. The sections' name views are left
// empty and only their offsets kept, so the table stays valid when the string that holds the
// text is moved.
class SectionTable {
 public:
  SectionTable() = default;

  // The section found for `name` (without regard to letter case), or null.
  const IniSection* Find(std::string_view name) const;

 private:
  friend class SectionIndex;
  friend struct SectionHeaders;  // the look among walked headers (catalogue/detail/)
  std::unordered_map<std::string, IniSection> sections_;  // by folded name (see FoldIniName)
};

}  // namespace calpero
