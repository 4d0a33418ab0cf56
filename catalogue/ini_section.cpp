#include "catalogue/ini_section.h"

namespace calpero {

IniSectionWalker::IniSectionWalker(std::string_view text) : text_(text), headers_(text) {}

bool IniSectionWalker::Next(IniSection& section) {
  if (!NextHeader(section)) {
    return false;
  }
  DescribeIniEntries(text_, section);
  return true;
}

bool IniSectionWalker::NextHeader(IniSection& section) {
  if (!started_) {
    started_ = true;
    havePending_ = headers_.Next(pending_);
  }
  if (!havePending_) {
    return false;
  }
  const IniLine header = pending_;
  havePending_ = headers_.Next(pending_);
  section.name = header.name;
  section.headerBegin = header.begin;
  section.bodyBegin = header.next;
  section.end = havePending_ ? pending_.begin : text_.size();
  section.entriesEnd = header.next;
  section.hasEntries = false;
  section.lastEntryEnded = header.next > header.end;
  return true;
}

void DescribeIniEntries(std::string_view text, IniSection& section) {
  section.entriesEnd = section.bodyBegin;
  section.hasEntries = false;
  section.lastEntryEnded =
      section.bodyBegin > section.headerBegin &&
      (text[section.bodyBegin - 1] == '\n' || text[section.bodyBegin - 1] == '\r');
  IniScanner scanner(text.substr(0, section.end), section.bodyBegin);
  IniLine line;
  while (scanner.Next(line)) {
    if (line.kind == IniLineKind::kEntry) {
      section.hasEntries = true;
      section.entriesEnd = line.next;
      section.lastEntryEnded = line.next > line.end;
    }
  }
}

std::optional<IniSection> FindIniSection(std::string_view text, std::string_view name) {
  IniSectionWalker walker(text);
  IniSection section;
  while (walker.NextHeader(section)) {
    if (SameIniName(section.name, name)) {
      DescribeIniEntries(text, section);
      return section;
    }
  }
  return std::nullopt;
}

std::optional<IniLine> FindIniEntry(std::string_view text, const IniSection& section,
                                    std::string_view key) {
  IniScanner scanner(text.substr(0, section.end), section.bodyBegin);
  IniLine line;
  while (scanner.Next(line)) {
    if (line.kind == IniLineKind::kEntry && SameIniName(line.name, key)) {
      return line;
    }
  }
  return std::nullopt;
}

}  // namespace calpero
