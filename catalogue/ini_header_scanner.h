#pragma once

#include <cstddef>
#include <string_view>

#include "catalogue/ini_text.h"

namespace calpero {

// Finds the section headers of an INI text in file order without reading the lines between them:
// it jumps from one "[" to the next (memchr) and reads only the lines that such a "[" begins,
// after blanks. The headers it yields are exactly the lines that IniScanner classifies as
// kHeader, with the same fields, so a catalogue of many units is looked through at the speed of
// a memory search rather than line by line.
class IniHeaderScanner {
 public:
  // `text` must outlive the scanner and the lines it yields. A UTF-8 byte order mark at the start
  // is skipped as IniScanner skips it.
  explicit IniHeaderScanner(std::string_view text);

  // Fills `header` with the next header line and returns true, or returns false when the text
  // holds no further header.
  bool Next(IniLine& header);

 private:
  // Where the line that holds the "[" at `bracket` begins, when only blanks stand before the "["
  // on that line; the text's size otherwise.
  std::size_t LineBeginBefore(std::size_t bracket) const;

  std::string_view text_;
  std::size_t start_;
  std::size_t pos_;  // where the search for the next "[" goes on
};

}  // namespace calpero
