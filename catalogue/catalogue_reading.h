#pragma once

#include <cstddef>
#include <cstdint>
#include <memory>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

#include "catalogue/power_source.h"
#include "catalogue/section_index.h"

namespace calpero {

struct SectionHeaders;

// What the catalogue's rules make of the text stored under one key.
enum class StoredPowerState {
  Missing,   // no entry, or an empty value: the power is 0
  Number,    // read by ParsePower; the value is its nearest double, down to 0
  Refused,   // ParsePower refuses the text: the power counts as 0
  Overflow,  // a number beyond the double range: reading it raises EOverflow
};

// One stored power: its state, its text as stored (a view into the catalogue text) and the value
// that the catalogue reads (0 unless the state is Number).
struct StoredPower {
  StoredPowerState State = StoredPowerState::Missing;
  std::string_view Text;
  double Value = 0;
};

// What the catalogue's rules make of the stored value text `text` (a view that the result keeps).
// Never throws beyond allocation failure.
StoredPower InspectStoredPower(std::string_view text);

// The same for the power stored under `key` in `section` of the catalogue text that `index` looks
// through; a missing key is Missing.
StoredPower InspectStoredPower(const SectionIndex& index, const IniSection& section,
                               std::string_view key);

// The power stored under `key` in `section` of the catalogue text that `index` looks through, by
// the catalogue's rules:
// 0 when the key is missing, its value is empty or ParsePower refuses it; otherwise the nearest
// double, down to 0 for values too small. Throws EOverflow for a value beyond the double range.
double ReadStoredPower(const SectionIndex& index, const IniSection& section, std::string_view key);

// The catalogue file's text as one reading found it, with the headers of its sections once one
// question has needed them all. The list of names, an evaluation and the search for units with
// given powers can all be answered from it, so that one user action looks through the file once.
// Made by UnitCatalogue::ReadText; shared, and the names it gives view its text. Its text never
// changes; the headers are walked the first time they are asked for, so, like the handle that
// makes it, it is not for use from several threads at once.
class CatalogueText {
 public:
  // Does not walk the text yet. Never throws beyond allocation failure.
  explicit CatalogueText(std::string text);
  CatalogueText(const CatalogueText&) = delete;
  CatalogueText& operator=(const CatalogueText&) = delete;

  const std::string& Text() const { return text_; }

  // The index over the text, for questions about a section's entries.
  SectionIndex Index() const { return SectionIndex(text_); }

  // The first section of each of `names`, as SectionIndex::FindAll finds them: among the headers
  // when they were walked, otherwise by a walk that stops at the last name found.
  SectionTable FindAll(std::span<const std::string> names) const;

  // Every section name in file order, in its stored bytes and letter case, duplicates included.
  std::vector<std::string> Names() const;

  // The reading of this text after `erase`, the splice that SectionIndex::Erase gave for it, with
  // exactly the headers that walking the erased text would find. When this reading's headers
  // were walked, they are moved, so an erase costs one copy of the text rather than a walk; and
  // when no other section has the erased unit's name, the searches remembered (RememberFound)
  // come along without the erased section, since no other section's verdict changed.
  std::shared_ptr<const CatalogueText> WithErased(const TextSplice& erase) const;

 private:
  friend struct CatalogueTextHeaders;  // the catalogue's own searches (catalogue/detail/)

  // Every section's header in file order, with the marks of the names; walks the text the first
  // time.
  SectionHeaders Headers() const;

  // Whether Headers has walked the text already, so that asking it costs nothing.
  bool HeadersWalked() const { return headers_.has_value(); }

  // What a search over every section found, as indices into Headers in increasing order, when
  // the search's verdict on a section depends only on that section's own lines and on whether an
  // earlier section has its name (the units with given powers). Remembered under `key`, which
  // names the search and all it depends on beyond the text, so that the same search on the same
  // reading is not made twice: the list's reload and the evaluation that follows ask alike. The
  // last few searches are kept.
  void RememberFound(std::string key, std::vector<std::size_t> sections) const;

  // The sections that the search named `key` found on this reading, if it was remembered.
  const std::vector<std::size_t>* Found(std::string_view key) const;

  struct FoundSections {
    std::string Key;
    std::vector<std::size_t> Sections;
  };

  std::string text_;
  mutable std::optional<std::vector<IniSection>> headers_;
  mutable std::vector<std::uint16_t> marks_;  // of the headers' names (IniNameMark)
  mutable std::vector<FoundSections> found_;  // newest last
};

// One reading of the catalogue file for a set of unit names: the first section of each requested
// name is indexed; ReadPower then answers from memory exactly as UnitCatalogue::ReadPower would
// have answered at the moment of the reading. Made by UnitCatalogue::ReadUnits; what an
// evaluation uses so that it reads the file once.
class CatalogueReading : public PowerSource {
 public:
  // A reading that holds no unit: every power is 0.
  CatalogueReading() = default;

  // Indexes the first section of each of `unitNames` in `text`. Never throws beyond allocation
  // failure.
  CatalogueReading(std::shared_ptr<const CatalogueText> text,
                   std::span<const std::string> unitNames);

  // The power of `key` in the unit's section; 0 for a name that was not requested or has no
  // section, a missing key, or a text that ParsePower refuses. Throws EOverflow for a stored
  // number beyond the double range.
  double ReadPower(std::string_view unitName, std::string_view key) const override;

  // The power stored under `key` in the unit's section with what the catalogue's rules make of
  // it: its text stays valid while the reading lives. Missing for a name that was not requested
  // or has no section. Never throws beyond allocation failure.
  StoredPower InspectPower(std::string_view unitName, std::string_view key) const;

  // Whether the file holds a section of `unitName`, one of the requested names, with or without
  // entries: one hash lookup. False for a name that was not requested.
  bool HoldsUnit(std::string_view unitName) const;

 private:
  std::shared_ptr<const CatalogueText> text_;
  SectionTable sections_;  // the first section of each requested name
};

}  // namespace calpero
