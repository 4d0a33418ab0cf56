#pragma once

#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/text_splice.h"

namespace calpero {

// One entry to store: its key and its value text.
struct IniEntryText {
  std::string_view key;
  std::string_view value;
};

// The text with `entries` stored in the first section named `section` (without regard to letter
// case). An existing entry (the first of its key) keeps its line, its key's spelling and the
// blanks before its value; only the value text is replaced. A missing entry is added as
// "key=value" after the last entry of the section (after the header when it has none), so blank
// and comment lines that close the section stay after it. A missing section is appended at the
// end of the text under `section` as given, followed by its entries. New lines take the text's
// line end (LF when it has none); a last line without a line end gets one first. Every other
// byte stays as it was. When a key comes twice in `entries`, the later value wins.
// Throws EInvalidUnitName when a new section is needed and `section` cannot be stored (see
// CheckStorableSectionName); std::invalid_argument when a key or value cannot be stored so that
// it reads back the same (empty or blank-edged key, "=" or a line break in it, a key starting
// with "[" or ";", a line break in a value).
std::string SetIniEntries(std::string_view text, std::string_view section,
                          std::span<const IniEntryText> entries);

// The same change as the splices of `text` that make it (see text_splice.h), in order: what the
// catalogue writes, so that the file's unchanged bytes go out straight from the text that was
// read. Same rules and errors as SetIniEntries.
std::vector<TextSplice> SetIniEntriesSplices(std::string_view text, std::string_view section,
                                             std::span<const IniEntryText> entries);

// The text without the first section named `section`: its header, its entries and every line
// between them. Comment, blank and other lines after its last entry stay, as do those of a section
// without entries, which loses only its header; line ends of the lines kept are untouched.
// Nothing when there is no such section. Never throws beyond allocation failure.
std::optional<std::string> EraseIniSection(std::string_view text, std::string_view section);

// The same change as the one splice of `text` that removes the section, or nothing when there is
// no such section. Never throws beyond allocation failure.
std::optional<TextSplice> EraseIniSectionSplice(std::string_view text, std::string_view section);

// Throws EInvalidUnitName, naming the name and the problem, when `name` cannot be written as a
// section header that reads back as the same name: an empty name, a NUL, CR or LF byte, a "]", or
// a space or tab at its start or end. Returns normally otherwise.
void CheckStorableSectionName(std::string_view name);

}  // namespace calpero
