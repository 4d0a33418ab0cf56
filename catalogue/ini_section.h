#pragma once

#include <cstddef>
#include <optional>
#include <string_view>

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

// Walks the sections of an INI text in file order, one pass over its bytes without allocating.
// Lines before the first header belong to no section and are passed over.
class IniSectionWalker {
 public:
  // `text` must outlive the walker and the sections it yields.
  explicit IniSectionWalker(std::string_view text);

  // Fills `section` with the next section and returns true, or returns false after the last.
  bool Next(IniSection& section);

 private:
  std::string_view text_;
  IniScanner scanner_;
  IniLine pending_;  // a header line read ahead, when havePending_
  bool havePending_ = false;
};

// The first section named `name` (without regard to letter case), or nothing.
std::optional<IniSection> FindIniSection(std::string_view text, std::string_view name);

// The first entry of `section` whose key is `key` (without regard to letter case), or nothing.
std::optional<IniLine> FindIniEntry(std::string_view text, const IniSection& section,
                                    std::string_view key);

}  // namespace calpero
