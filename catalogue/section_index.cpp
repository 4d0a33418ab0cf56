#include "catalogue/section_index.h"

#include <algorithm>
#include <cstdint>
#include <cstring>
#include <unordered_map>
#include <unordered_set>

#include "catalogue/detail/section_headers.h"

namespace calpero {
namespace {

// Finds the header lines of an INI text in file order without reading the lines between them:
// it jumps from one "[" to the next (memchr) and reads only the lines that such a "[" begins,
// after blanks. The headers it yields are exactly the lines that IniScanner classifies as
// Header, with the same fields.
class HeaderScanner {
 public:
  // A UTF-8 byte order mark at the start is skipped as IniScanner skips it.
  explicit HeaderScanner(std::string_view text)
      : text_(text), start_(IniScanner(text).Start()), pos_(start_) {}

  // Fills `header` with the next header line and returns true, or returns false when the text
  // holds no further header.
  bool Next(IniLine& header) {
    while (pos_ < text_.size()) {
      const void* found = std::memchr(text_.data() + pos_, '[', text_.size() - pos_);
      if (found == nullptr) {
        pos_ = text_.size();
        return false;
      }
      const auto bracket = static_cast<std::size_t>(static_cast<const char*>(found) - text_.data());
      const std::size_t lineBegin = LineBeginBefore(bracket);
      if (lineBegin == text_.size()) {
        pos_ = bracket + 1;
        continue;
      }
      // Any other "[" on this line comes after its first non-blank, so the search goes on after
      // it.
      IniLine line = ReadIniLine(text_, lineBegin);
      pos_ = line.Next;
      if (line.Kind == IniLineKind::Header) {
        header = line;
        return true;
      }
    }
    return false;
  }

 private:
  // Where the line that holds the "[" at `bracket` begins, when only blanks stand before the "["
  // on that line; the text's size otherwise.
  std::size_t LineBeginBefore(std::size_t bracket) const {
    std::size_t begin = bracket;
    while (begin > start_ && (text_[begin - 1] == ' ' || text_[begin - 1] == '\t')) {
      --begin;
    }
    if (begin == start_ || text_[begin - 1] == '\n' || text_[begin - 1] == '\r') {
      return begin;
    }
    return text_.size();
  }

  std::string_view text_;
  std::size_t start_;
  std::size_t pos_;  // where the search for the next "[" goes on
};

// Walks the sections of an INI text in file order without allocating, filling only what the
// header lines tell: name, headerBegin, bodyBegin and end. The entry fields are set as for a
// section without entries until DescribeEntries fills them. Names are not marked (IniNameMark)
// here: a walk that looks for one name reads each name once anyway, and a mark for every header
// would cost it nearly a tenth more; SectionHeaders::Walk marks the headers it keeps.
class SectionWalker {
 public:
  explicit SectionWalker(std::string_view text) : text_(text), headers_(text) {
    havePending_ = headers_.Next(pending_);
  }

  // Fills `section` with the next section and returns true; returns false after the last.
  bool Next(IniSection& section) {
    if (!havePending_) {
      return false;
    }
    const IniLine header = pending_;
    havePending_ = headers_.Next(pending_);
    section.Name = header.Name;
    section.HeaderBegin = header.Begin;
    section.BodyBegin = header.Next;
    section.End = havePending_ ? pending_.Begin : text_.size();
    section.EntriesEnd = header.Next;
    section.HasEntries = false;
    section.LastEntryEnded = header.Next > header.End;
    return true;
  }

 private:
  std::string_view text_;
  HeaderScanner headers_;
  IniLine pending_;  // the header after the one last returned, when havePending_
  bool havePending_ = false;
};

// Reads the body of `section`, whose name and extent are known, and fills its entry fields.
void DescribeEntries(std::string_view text, IniSection& section) {
  section.EntriesEnd = section.BodyBegin;
  section.HasEntries = false;
  section.LastEntryEnded =
      section.BodyBegin > section.HeaderBegin &&
      (text[section.BodyBegin - 1] == '\n' || text[section.BodyBegin - 1] == '\r');
  IniScanner scanner(text.substr(0, section.End), section.BodyBegin);
  IniLine line;
  while (scanner.Next(line)) {
    if (line.Kind == IniLineKind::Entry) {
      section.HasEntries = true;
      section.EntriesEnd = line.Next;
      section.LastEntryEnded = line.Next > line.End;
    }
  }
}

}  // namespace

std::vector<std::string> SectionIndex::Names() const {
  std::vector<std::string> names;
  // Every header holds a "[", so their count bounds the names; reserving it spares a large
  // catalogue the list's repeated growth, which costs more than the count.
  names.reserve(static_cast<std::size_t>(std::count(text_.begin(), text_.end(), '[')));
  SectionWalker walker(text_);
  IniSection section;
  while (walker.Next(section)) {
    names.emplace_back(section.Name);
  }
  return names;
}

std::optional<IniSection> SectionIndex::Find(std::string_view name) const {
  SectionWalker walker(text_);
  IniSection section;
  while (walker.Next(section)) {
    if (SameIniName(section.Name, name)) {
      DescribeEntries(text_, section);
      return section;
    }
  }
  return std::nullopt;
}

namespace {

// The first section of each of `names` among the sections that `next` yields in file order (it
// fills its arguments, the section and the bucket of its name, and returns true, or returns false
// after the last); stops as soon as every name is found. `bucket` gives a wanted name's bucket,
// below 2^16 and the same for names that SameIniName takes for the same, as `next` gives it:
// a section whose bucket no wanted name has is not wanted, which one look settles for nearly
// every section of a large file. Entries are described only for the sections kept, through
// `describe`.
template <typename Bucket, typename NextSection, typename Describe>
std::unordered_map<std::string, IniSection> FirstOfEach(std::span<const std::string> names,
                                                        Bucket bucket, NextSection next,
                                                        Describe describe) {
  std::unordered_map<std::string, IniSection> found;
  std::unordered_set<std::string> wanted;
  constexpr std::size_t kBuckets = std::size_t{1} << 16U;
  std::vector<bool> maybeWanted(kBuckets);
  std::string folded;
  for (const std::string& name : names) {
    FoldIniName(name, folded);
    wanted.insert(folded);
    maybeWanted[bucket(name)] = true;
  }
  IniSection section;
  std::size_t sectionBucket = 0;
  // Only the first section of each name counts, and the look ends once every name is found.
  while (found.size() < wanted.size() && next(section, sectionBucket)) {
    if (!maybeWanted[sectionBucket]) {
      continue;
    }
    FoldIniName(section.Name, folded);
    if (!wanted.contains(folded) || found.contains(folded)) {
      continue;
    }
    describe(section);
    section.Name = {};
    found.emplace(folded, section);
  }
  return found;
}

// The low bits of a name's hash, the bucket of a look that reads every name anyway.
std::size_t HashBucket(std::string_view name) {
  constexpr std::uint64_t kHashBits = 1U << 16U;
  return IniNameHash(name) % kHashBits;
}

}  // namespace

SectionTable SectionIndex::FindAll(std::span<const std::string> names) const {
  SectionWalker walker(text_);
  SectionTable table;
  table.sections_ = FirstOfEach(
      names, HashBucket,
      [&walker](IniSection& section, std::size_t& bucket) {
        if (!walker.Next(section)) {
          return false;
        }
        bucket = HashBucket(section.Name);
        return true;
      },
      [this](IniSection& section) { DescribeEntries(text_, section); });
  return table;
}

void SectionHeaders::Walk(std::string_view text, std::vector<IniSection>& sections,
                          std::vector<std::uint16_t>& marks) {
  sections.clear();
  marks.clear();
  // As for the names: the count of "[" bounds the sections.
  const auto most = static_cast<std::size_t>(std::count(text.begin(), text.end(), '['));
  sections.reserve(most);
  marks.reserve(most);
  SectionWalker walker(text);
  IniSection section;
  while (walker.Next(section)) {
    sections.push_back(section);
    marks.push_back(IniNameMark(section.Name));
  }
}

std::optional<IniSection> SectionHeaders::Find(std::string_view text, std::string_view name) const {
  // The marks turn nearly every header away without reading its name from the text.
  const std::uint16_t mark = IniNameMark(name);
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (marks[i] == mark && SameIniName(sections[i].Name, name)) {
      IniSection section = sections[i];
      DescribeEntries(text, section);
      return section;
    }
  }
  return std::nullopt;
}

SectionTable SectionHeaders::FindAll(std::string_view text,
                                     std::span<const std::string> names) const {
  std::size_t next = 0;
  SectionTable table;
  table.sections_ = FirstOfEach(
      names, HashBucket,
      [this, &next](IniSection& section, std::size_t& bucket) {
        if (next == sections.size()) {
          return false;
        }
        section = sections[next++];
        bucket = HashBucket(section.Name);
        return true;
      },
      [text](IniSection& section) { DescribeEntries(text, section); });
  return table;
}

void SectionHeaders::KeepFirstOfTheirNames(std::vector<std::size_t>& chosen) const {
  if (chosen.empty()) {
    return;
  }
  std::vector<std::string> names;
  names.reserve(chosen.size());
  for (const std::size_t index : chosen) {
    names.emplace_back(sections[index].Name);
  }
  // The marks the walk noted stand for the hash: no name is read unless its mark is wanted.
  std::size_t next = 0;
  const std::size_t end = chosen.back() + 1;
  const std::unordered_map<std::string, IniSection> first = FirstOfEach(
      names, [](std::string_view name) { return std::size_t{IniNameMark(name)}; },
      [this, &next, end](IniSection& section, std::size_t& bucket) {
        if (next == end) {
          return false;
        }
        bucket = marks[next];
        section = sections[next++];
        return true;
      },
      [](IniSection&) {});
  std::string folded;
  std::erase_if(chosen, [this, &first, &folded](std::size_t index) {
    FoldIniName(sections[index].Name, folded);
    return first.at(folded).HeaderBegin != sections[index].HeaderBegin;
  });
}

std::vector<IniSection> SectionIndex::Sections() const {
  std::vector<IniSection> sections;
  SectionWalker walker(text_);
  IniSection section;
  while (walker.Next(section)) {
    DescribeEntries(text_, section);
    sections.push_back(section);
  }
  return sections;
}

std::optional<IniSection> SectionIndex::NextSection(std::size_t from) const {
  if (from >= text_.size()) {
    return std::nullopt;
  }
  // A byte order mark counts only at the start of the whole text.
  const std::size_t start = std::max(from, IniScanner(text_).Start());
  SectionWalker walker(text_.substr(start));
  IniSection section;
  if (!walker.Next(section)) {
    return std::nullopt;
  }
  section.HeaderBegin += start;
  section.BodyBegin += start;
  section.End += start;
  section.EntriesEnd += start;
  return section;
}

std::optional<IniLine> SectionIndex::FindEntry(const IniSection& section,
                                               std::string_view key) const {
  IniScanner scanner(text_.substr(0, section.End), section.BodyBegin);
  IniLine line;
  while (scanner.Next(line)) {
    if (line.Kind == IniLineKind::Entry && SameIniName(line.Name, key)) {
      return line;
    }
  }
  return std::nullopt;
}

std::vector<std::string_view> SectionIndex::Spliced(std::span<const TextSplice> splices) const {
  std::vector<std::string_view> pieces;
  pieces.reserve(2 * splices.size() + 1);
  std::size_t copied = 0;
  for (const TextSplice& splice : splices) {
    if (splice.Begin > copied) {
      pieces.push_back(text_.substr(copied, splice.Begin - copied));
    }
    if (!splice.Insert.empty()) {
      pieces.emplace_back(splice.Insert);
    }
    copied = splice.End;
  }
  if (copied < text_.size()) {
    pieces.push_back(text_.substr(copied));
  }
  return pieces;
}

const IniSection* SectionTable::Find(std::string_view name) const {
  std::string folded;
  FoldIniName(name, folded);
  const auto found = sections_.find(folded);
  return found == sections_.end() ? nullptr : &found->second;
}

}  // namespace calpero
