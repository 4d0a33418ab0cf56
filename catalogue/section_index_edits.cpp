// The changes a SectionIndex makes to its text: storing entries and erasing a section.
#include <algorithm>
#include <stdexcept>
#include <vector>

#include "catalogue/errors.h"
#include "catalogue/section_index.h"

namespace calpero {
namespace {

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
std::optional<MessageId> SectionNameProblem(std::string_view name) {
  if (name.empty()) {
    return MessageId::NameIsEmpty;
  }
  if (name.find('\0') != std::string_view::npos) {
    return MessageId::NameHasNul;
  }
  if (HasLineBreak(name)) {
    return MessageId::NameHasLineBreak;
  }
  if (name.find(']') != std::string_view::npos) {
    return MessageId::NameHasBracket;
  }
  if (IsBlank(name.front())) {
    return MessageId::NameBeginsWithBlank;
  }
  if (IsBlank(name.back())) {
    return MessageId::NameEndsWithBlank;
  }
  return std::nullopt;
}

void CheckStorableEntry(const IniEntryText& entry) {
  const std::string_view key = entry.Key;
  const bool keyStorable = !key.empty() && !IsBlank(key.front()) && !IsBlank(key.back()) &&
                           key.front() != '[' && key.front() != ';' &&
                           key.find('=') == std::string_view::npos && !HasLineBreak(key);
  if (!keyStorable) {
    throw std::invalid_argument("The key '" + Printable(key) + "' cannot be stored");
  }
  if (HasLineBreak(entry.Value)) {
    throw std::invalid_argument("The value of '" + std::string(key) + "' holds a line break");
  }
}

// The entries to store, each key once (the later value wins, in the place of the first).
std::vector<IniEntryText> DistinctEntries(std::span<const IniEntryText> entries) {
  std::vector<IniEntryText> distinct;
  for (const IniEntryText& entry : entries) {
    CheckStorableEntry(entry);
    const auto same = std::find_if(distinct.begin(), distinct.end(), [&](const IniEntryText& e) {
      return SameIniName(e.Key, entry.Key);
    });
    if (same == distinct.end()) {
      distinct.push_back(entry);
    } else {
      same->Value = entry.Value;
    }
  }
  return distinct;
}

void AppendEntryLine(std::string& out, const IniEntryText& entry, std::string_view lineEnd) {
  out.append(entry.Key).append("=").append(entry.Value).append(lineEnd);
}

// Throws EInvalidUnitName, naming the name and the problem, when `name` cannot head a section.
void CheckStorableSectionName(std::string_view name) {
  if (const std::optional<MessageId> problem = SectionNameProblem(name)) {
    throw EInvalidUnitName(name, Printable(name), *problem);
  }
}

std::vector<TextSplice> UpdateSection(const SectionIndex& index, const IniSection& section,
                                      const std::vector<IniEntryText>& entries,
                                      std::string_view lineEnd) {
  std::vector<TextSplice> splices;
  std::string added;
  for (const IniEntryText& entry : entries) {
    if (const std::optional<IniLine> line = index.FindEntry(section, entry.Key)) {
      splices.push_back({line->ValueBegin, line->End, std::string(entry.Value)});
    } else {
      AppendEntryLine(added, entry, lineEnd);
    }
  }
  std::sort(splices.begin(), splices.end(),
            [](const TextSplice& a, const TextSplice& b) { return a.Begin < b.Begin; });
  if (!added.empty()) {
    if (!section.LastEntryEnded) {
      added.insert(0, lineEnd);
    }
    // Last, also after a value replaced at the very same place (an empty last value).
    splices.push_back({section.EntriesEnd, section.EntriesEnd, std::move(added)});
  }
  return splices;
}

std::vector<TextSplice> AppendSection(std::string_view text, std::string_view name,
                                      const std::vector<IniEntryText>& entries,
                                      std::string_view lineEnd) {
  CheckStorableSectionName(name);
  std::string added;
  const IniScanner scanner(text);
  const bool lastLineOpen =
      text.size() > scanner.Start() && text.back() != '\n' && text.back() != '\r';
  if (lastLineOpen) {
    added.append(lineEnd);
  }
  added.append("[").append(name).append("]").append(lineEnd);
  for (const IniEntryText& entry : entries) {
    AppendEntryLine(added, entry, lineEnd);
  }
  return {TextSplice{text.size(), text.size(), std::move(added)}};
}

}  // namespace

std::vector<TextSplice> SectionIndex::SetEntries(std::string_view section,
                                                 std::span<const IniEntryText> entries) const {
  const std::vector<IniEntryText> distinct = DistinctEntries(entries);
  const std::string_view lineEnd = LineEndStyle(text_);
  if (const std::optional<IniSection> found = Find(section)) {
    return UpdateSection(*this, *found, distinct, lineEnd);
  }
  return AppendSection(text_, section, distinct, lineEnd);
}

TextSplice SectionIndex::Erasing(const IniSection& found) {
  // Up to the last entry only: comment and blank lines after it usually introduce what follows
  // (a heading over the next unit), so they stay. Without entries only the header goes.
  return TextSplice{found.HeaderBegin, found.EntriesEnd, {}};
}

namespace {

std::optional<TextSplice> ErasingSplice(const std::optional<IniSection>& found) {
  if (!found) {
    return std::nullopt;
  }
  return SectionIndex::Erasing(*found);
}

}  // namespace

std::optional<TextSplice> SectionIndex::Erase(std::string_view section) const {
  return ErasingSplice(Find(section));
}

}  // namespace calpero
