#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

#include "catalogue/ini_header_scanner.h"
#include "catalogue/ini_text.h"

namespace calpero {

// Where one section of an INI text lies: its header line and its body, which runs up to the next
// header or the end of the text. Offsets index the text; the name views it.
struct IniSection {
  std::string_view name;        // as stored, blanks around it trimmed
  std::size_t headerBegin = 0;  // first byte of the header line
  std::size_t bodyBegin = 0;    // just after the header line's line end
  std::size_t end = 0;          // where the next header begins, or the text's size
  std::size_t entriesEnd = 0;   // just after the last entry line; bodyBegin when there is none
  bool hasEntries = false;      // whether the body holds at least one entry
  bool lastEntryEnded = true;   // whether the last entry line (or else the header) has a line end
};

// Walks the sections of an INI text in file order without allocating. Lines before the first
// header belong to no section and are passed over. Headers are found by IniHeaderScanner, so a
// section's body is read only when its entries are asked for.
class IniSectionWalker {
 public:
  // `text` must outlive the walker and the sections it yields.
  explicit IniSectionWalker(std::string_view text);

  // Fills `section` with the next section, every field, and returns true; returns false after
  // the last.
  bool Next(IniSection& section);

  // The same, but fills only what the header lines tell: name, headerBegin, bodyBegin and end.
  // The entry fields are set as for a section without entries; DescribeIniEntries fills them.
  // This never reads a section's body, which is what makes looking through a large file fast.
  bool NextHeader(IniSection& section);

 private:
  std::string_view text_;
  IniHeaderScanner headers_;
  IniLine pending_;  // the header after the one last returned, when havePending_
  bool havePending_ = false;
  bool started_ = false;
};

// Reads the body of `section`, a section of `text` whose name and extent are known (as
// IniSectionWalker::NextHeader gives them), and fills its entry fields: entriesEnd, hasEntries and
// lastEntryEnded.
void DescribeIniEntries(std::string_view text, IniSection& section);

// The first section named `name` (without regard to letter case), or nothing.
std::optional<IniSection> FindIniSection(std::string_view text, std::string_view name);

// The first entry of `section` whose key is `key` (without regard to letter case), or nothing.
std::optional<IniLine> FindIniEntry(std::string_view text, const IniSection& section,
                                    std::string_view key);

}  // namespace calpero
