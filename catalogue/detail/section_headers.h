#pragma once

// The section index's speed machinery, for the catalogue's own code: the walk over every header
// and the looks among the headers it found. Nothing outside catalogue/ includes this; the public
// questions are SectionIndex's and CatalogueText's.

#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <utility>
#include <vector>

#include "catalogue/catalogue_change.h"
#include "catalogue/catalogue_reading.h"
#include "catalogue/section_index.h"

namespace calpero {

// The headers of a text's sections, walked once: every section in file order with what its header
// line tells (name, headerBegin, bodyBegin and end; no body is read, so the entry fields are those
// of a section without entries, and SectionIndex::FindEntry needs only what is filled), and the
// mark of each name (IniNameMark), by which a look for a name among many headers turns nearly
// every one away before it reads a name. A question over every section's header (the names, the
// powers of each unit) is answered at the cost of the walk alone.
struct SectionHeaders {
  std::span<const IniSection> sections;
  std::span<const std::uint16_t> marks;  // marks[i] is IniNameMark(sections[i].name)

  // Walks the headers of `text` into `sections` and `marks`, replacing what they held.
  static void Walk(std::string_view text, std::vector<IniSection>& sections,
                   std::vector<std::uint16_t>& marks);

  bool empty() const { return sections.empty(); }

  // The headers from the `first`-th on.
  SectionHeaders From(std::size_t first) const {
    return {sections.subspan(first), marks.subspan(first)};
  }

  // The first section named `name` among these headers of `text`, every field filled, or nothing:
  // what SectionIndex(text).Find(name) finds, without walking the text again.
  std::optional<IniSection> Find(std::string_view text, std::string_view name) const;

  // The first section of each of `names` among these headers of `text`: what
  // SectionIndex(text).FindAll(names) finds, without looking through the text again.
  SectionTable FindAll(std::string_view text, std::span<const std::string> names) const;

  // Keeps of `chosen` (indices of these headers, in increasing order) those that are the first
  // section of their name, the one that every reader of the text takes; a later section of the
  // same name (letter case aside) goes. Walks the headers up to the last one chosen.
  void KeepFirstOfTheirNames(std::vector<std::size_t>& chosen) const;
};

// CatalogueText's own walk of its headers and its memory of searches, for the catalogue's
// readings and searches.
struct CatalogueTextHeaders {
  // The reading's headers; walks its text the first time.
  static SectionHeaders Of(const CatalogueText& text) { return text.Headers(); }

  // Whether the headers were walked already, so that asking them costs nothing.
  static bool Walked(const CatalogueText& text) { return text.HeadersWalked(); }

  // See CatalogueText::RememberFound and CatalogueText::Found.
  static void RememberFound(const CatalogueText& text, std::string key,
                            std::vector<std::size_t> sections) {
    text.RememberFound(std::move(key), std::move(sections));
  }
  static const std::vector<std::size_t>* Found(const CatalogueText& text, std::string_view key) {
    return text.Found(key);
  }
};

// The record of erasing `erased` (every field filled) from `text`. `headers`, this text's headers
// when they are at hand (else empty), spare a walk of the text after the section.
SectionChange ErasedSectionChange(std::string_view text, std::string_view unit,
                                  const IniSection& erased, SectionHeaders headers);

}  // namespace calpero
