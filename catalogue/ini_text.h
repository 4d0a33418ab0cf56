#pragma once

#include <cstddef>
#include <string_view>

namespace calpero {

// What a line of a private-profile (INI) file is.
enum class IniLineKind {
  Header,   // "[name]": starts a section
  Entry,    // "key=value"
  Comment,  // first non-blank character ";"
  Other,    // blank lines and anything else: kept, never read
};

// One line of the file, as offsets into the scanned text and views of the names it holds. The
// views point into the scanned text and live as long as it does.
struct IniLine {
  IniLineKind Kind = IniLineKind::Other;
  std::size_t Begin = 0;  // first byte of the line
  std::size_t End = 0;    // just after its content, where its line end (if any) starts
  std::size_t Next = 0;   // just after its line end: where the next line begins
  // A header's section name, or an entry's key; blanks (space, tab) around it trimmed.
  std::string_view Name;
  // An entry's value: blanks around it trimmed and one pair of matching outer quotes stripped.
  std::string_view Value;
  // An entry's stored value text: from the first non-blank after "=" to the end of the line.
  std::size_t ValueBegin = 0;
};

// Walks the lines of a file held in memory, classifying each, without allocating. Lines end with
// LF, CRLF or CR (each line keeps its own); a last line without a line end counts too. A UTF-8
// byte order mark at the start is skipped. Names are byte strings, taken as they are.
//
// A header is a line whose first non-blank character is "[" and that holds a "]"; its name is the
// text between the "[" and the last "]" (anything after that is ignored). Otherwise a line whose
// first non-blank character is ";" is a comment, and a line holding "=" is an entry whose key is
// the text before the first "=".
class IniScanner {
 public:
  // `text` must outlive the scanner and the lines it yields.
  explicit IniScanner(std::string_view text);
  // Starts at `from`, which must be where a line of `text` begins (no byte order mark there).
  IniScanner(std::string_view text, std::size_t from);

  // Fills `line` with the next line and returns true, or returns false at the end of the text.
  bool Next(IniLine& line);

  // The offset where the first line begins: 0, or 3 after a byte order mark.
  std::size_t Start() const { return start_; }

 private:
  std::string_view text_;
  std::size_t start_;
  std::size_t pos_;
};

// The one line of `text` that begins at `begin`, classified as IniScanner classifies it. `begin`
// must be where a line of `text` begins and lie before its end.
IniLine ReadIniLine(std::string_view text, std::size_t begin);

// The line end that new lines of `text` take: the first one found in it, or LF when none is.
std::string_view LineEndStyle(std::string_view text);

}  // namespace calpero
