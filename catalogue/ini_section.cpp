#include "catalogue/ini_section.h"

namespace calpero {

IniSectionWalker::IniSectionWalker(std::string_view text) : text_(text), scanner_(text) {}

bool IniSectionWalker::Next(IniSection& section) {
  while (!havePending_) {
    if (!scanner_.Next(pending_)) {
      return false;
    }
    havePending_ = pending_.kind == IniLineKind::kHeader;
  }
  havePending_ = false;
  section.name = pending_.name;
  section.headerBegin = pending_.begin;
  section.bodyBegin = pending_.next;
  section.entriesEnd = pending_.next;
  section.end = text_.size();
  section.hasEntries = false;
  section.lastEntryEnded = pending_.next > pending_.end;
  IniLine line;
  while (scanner_.Next(line)) {
    if (line.kind == IniLineKind::kHeader) {
      section.end = line.begin;
      pending_ = line;
      havePending_ = true;
      break;
    }
    if (line.kind == IniLineKind::kEntry) {
      section.hasEntries = true;
      section.entriesEnd = line.next;
      section.lastEntryEnded = line.next > line.end;
    }
  }
  return true;
}

std::optional<IniSection> FindIniSection(std::string_view text, std::string_view name) {
  IniSectionWalker walker(text);
  IniSection section;
  while (walker.Next(section)) {
    if (SameIniName(section.name, name)) {
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
