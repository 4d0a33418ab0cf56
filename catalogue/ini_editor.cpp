#include "catalogue/ini_editor.h"

#include <algorithm>
#include <stdexcept>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/ini_section.h"
#include "catalogue/ini_text.h"

namespace calpero {
namespace {

bool IsBlank(char c) { return c == ' ' || c == '\t'; }

bool HasLineBreak(std::string_view text) {
  return text.find_first_of("\r\n") != std::string_view::npos;
}

// The name as it can be shown in a message: the bytes that would break the message's line or
// end it early are written as escapes.
std::string Printable(std::string_view name) {
  std::string shown;
  for (const char c : name) {
    if (c == '\r') {
      shown += "\\r";
    } else if (c == '\n') {
      shown += "\\n";
    } else if (c == '\0') {
      shown += "\\0";
    } else {
      shown += c;
    }
  }
  return shown;
}

// Why `name` cannot head a section, or nothing when it can.
std::optional<std::string_view> SectionNameProblem(std::string_view name) {
  if (name.empty()) {
    return "it is empty";
  }
  if (name.find('\0') != std::string_view::npos) {
    return "it contains a NUL character";
  }
  if (HasLineBreak(name)) {
    return "it contains a line break";
  }
  if (name.find(']') != std::string_view::npos) {
    return "it contains ']'";
  }
  if (IsBlank(name.front())) {
    return "it begins with a space or tab";
  }
  if (IsBlank(name.back())) {
    return "it ends with a space or tab";
  }
  return std::nullopt;
}

void CheckStorableEntry(const IniEntryText& entry) {
  const std::string_view key = entry.key;
  const bool keyStorable = !key.empty() && !IsBlank(key.front()) && !IsBlank(key.back()) &&
                           key.front() != '[' && key.front() != ';' &&
                           key.find('=') == std::string_view::npos && !HasLineBreak(key);
  if (!keyStorable) {
    throw std::invalid_argument("The key '" + Printable(key) + "' cannot be stored");
  }
  if (HasLineBreak(entry.value)) {
    throw std::invalid_argument("The value of '" + std::string(key) + "' holds a line break");
  }
}

// The entries to store, each key once (the later value wins, in the place of the first).
std::vector<IniEntryText> DistinctEntries(std::span<const IniEntryText> entries) {
  std::vector<IniEntryText> distinct;
  for (const IniEntryText& entry : entries) {
    CheckStorableEntry(entry);
    const auto same = std::find_if(distinct.begin(), distinct.end(), [&](const IniEntryText& e) {
      return SameIniName(e.key, entry.key);
    });
    if (same == distinct.end()) {
      distinct.push_back(entry);
    } else {
      same->value = entry.value;
    }
  }
  return distinct;
}

void AppendEntryLine(std::string& out, const IniEntryText& entry, std::string_view lineEnd) {
  out.append(entry.key).append("=").append(entry.value).append(lineEnd);
}

// A value replaced in place: the bytes from `begin` to `end` of the text give way to `value`.
struct Replacement {
  std::size_t begin;
  std::size_t end;
  std::string_view value;
};

std::string UpdateSection(std::string_view text, const IniSection& section,
                          const std::vector<IniEntryText>& entries) {
  const std::string_view lineEnd = LineEndStyle(text);
  std::vector<Replacement> replacements;
  std::string added;
  for (const IniEntryText& entry : entries) {
    if (const std::optional<IniLine> line = FindIniEntry(text, section, entry.key)) {
      replacements.push_back({line->valueBegin, line->end, entry.value});
    } else {
      AppendEntryLine(added, entry, lineEnd);
    }
  }
  if (!added.empty() && !section.lastEntryEnded) {
    added.insert(0, lineEnd);
  }
  std::sort(replacements.begin(), replacements.end(),
            [](const Replacement& a, const Replacement& b) { return a.begin < b.begin; });

  std::string out;
  out.reserve(text.size() + added.size() + 64 * replacements.size());
  std::size_t copied = 0;
  for (const Replacement& r : replacements) {
    out.append(text.substr(copied, r.begin - copied)).append(r.value);
    copied = r.end;
  }
  out.append(text.substr(copied, section.entriesEnd - copied)).append(added);
  out.append(text.substr(section.entriesEnd));
  return out;
}

std::string AppendSection(std::string_view text, std::string_view name,
                          const std::vector<IniEntryText>& entries) {
  CheckStorableSectionName(name);
  const std::string_view lineEnd = LineEndStyle(text);
  std::string out(text);
  const IniScanner scanner(text);
  const bool lastLineOpen =
      text.size() > scanner.Start() && text.back() != '\n' && text.back() != '\r';
  if (lastLineOpen) {
    out.append(lineEnd);
  }
  out.append("[").append(name).append("]").append(lineEnd);
  for (const IniEntryText& entry : entries) {
    AppendEntryLine(out, entry, lineEnd);
  }
  return out;
}

}  // namespace

std::string SetIniEntries(std::string_view text, std::string_view section,
                          std::span<const IniEntryText> entries) {
  const std::vector<IniEntryText> distinct = DistinctEntries(entries);
  if (const std::optional<IniSection> found = FindIniSection(text, section)) {
    return UpdateSection(text, *found, distinct);
  }
  return AppendSection(text, section, distinct);
}

std::optional<std::string> EraseIniSection(std::string_view text, std::string_view section) {
  const std::optional<IniSection> found = FindIniSection(text, section);
  if (!found) {
    return std::nullopt;
  }
  std::string out(text.substr(0, found->headerBegin));
  out.append(text.substr(found->end));
  return out;
}

void CheckStorableSectionName(std::string_view name) {
  if (const std::optional<std::string_view> problem = SectionNameProblem(name)) {
    throw EInvalidUnitName("The unit name '" + Printable(name) +
                           "' cannot be stored: " + std::string(*problem));
  }
}

}  // namespace calpero
