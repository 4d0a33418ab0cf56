#include "calc/power_matches.h"

#include <algorithm>
#include <array>
#include <bit>
#include <cstddef>
#include <cstdint>
#include <optional>
#include <span>
#include <string_view>
#include <unordered_map>
#include <unordered_set>
#include <utility>

#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/ini_text.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/section_index.h"
#include "catalogue/unit_catalogue.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

// Whether the stored texts of one power give the wanted value, as an evaluation of the unit alone
// would store it. A catalogue repeats a handful of texts ("0", "1", "-2") over thousands of units,
// so each distinct text is inspected once and its verdict remembered. A text that an evaluation
// would refuse (beyond the double or the single-precision range) never gives it.
class PowerVerdicts {
 public:
  struct Verdict {
    bool gives = false;
    bool refused = false;  // ParsePower refused the text, which counted as 0
  };

  explicit PowerVerdicts(float wanted) : wanted_(wanted) {}

  // `text` views the catalogue text, which outlives this object.
  Verdict Of(std::string_view text) {
    // The first few distinct texts, nearly all that a catalogue holds, are looked for in a short
    // list, which costs less than hashing them.
    for (const auto& [known, verdict] : few_) {
      if (known.size() == text.size() && std::equal(known.begin(), known.end(), text.begin())) {
        return verdict;
      }
    }
    if (few_.size() < kFew) {
      few_.emplace_back(text, Judge(text));
      return few_.back().second;
    }
    const auto [verdict, isNew] = many_.try_emplace(text);
    if (isNew) {
      verdict->second = Judge(text);
    }
    return verdict->second;
  }

 private:
  static constexpr std::size_t kFew = 16;

  Verdict Judge(std::string_view text) const {
    const StoredPower power = InspectStoredPower(text);
    Verdict verdict{.gives = false, .refused = power.State == StoredPowerState::Refused};
    try {
      verdict.gives =
          power.State != StoredPowerState::Overflow && StoreSingle(power.Value) == wanted_;
    } catch (const EOverflow&) {
      verdict.gives = false;
    }
    return verdict;
  }

  float wanted_;
  std::vector<std::pair<std::string_view, Verdict>> few_;
  std::unordered_map<std::string_view, Verdict> many_;
};

// The first entries of the four power keys in one section, read line by line only as far as the
// questions asked so far need: what one question read is kept for the next, so a section's lines
// are each read once however many of its powers are compared.
class SectionPowers {
 public:
  // `text` is the catalogue text of `section`, and outlives this object.
  SectionPowers(std::string_view text, const IniSection& section)
      : text_(text.substr(0, section.end)), pos_(section.bodyBegin) {}

  // The value of the section's first entry of kPowerKeys[key]; empty when it has none, as a
  // missing entry reads as the empty text.
  std::string_view Value(std::size_t key) {
    while (!found_.at(key) && pos_ < text_.size()) {
      if (!ReadPlainEntry()) {
        ReadAnyLine();
      }
    }
    return values_.at(key);
  }

 private:
  // Reads the line at pos_ when it is an entry of a power key not found yet, in the layout that
  // the program writes: the key as spelled in kPowerKeys, "=", and a value without blanks or
  // quotes at its edges. Such a line is what ReadIniLine makes of it without the work of
  // classifying it, and nearly every line of a catalogue is one. Returns false for any other line.
  bool ReadPlainEntry() {
    const std::string_view rest = text_.substr(pos_);
    for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
      const std::string_view key = kPowerKeys.at(i);
      if (found_.at(i) || !rest.starts_with(key) || rest.size() == key.size() ||
          rest[key.size()] != '=') {
        continue;
      }
      std::size_t end = key.size() + 1;
      while (end < rest.size() && rest[end] != '\n' && rest[end] != '\r') {
        ++end;
      }
      const std::string_view value = rest.substr(key.size() + 1, end - key.size() - 1);
      if (value.empty() || IsBlank(value.front()) || IsBlank(value.back()) ||
          value.front() == '"' || value.front() == '\'') {
        return false;
      }
      found_.at(i) = true;
      values_.at(i) = value;
      // Past the line end: CR LF, or one CR or LF.
      if (end < rest.size()) {
        end += rest.substr(end).starts_with("\r\n") ? 2U : 1U;
      }
      pos_ += end;
      return true;
    }
    return false;
  }

  // Reads the line at pos_ as every reader of the catalogue reads it.
  void ReadAnyLine() {
    const IniLine line = ReadIniLine(text_, pos_);
    pos_ = line.next;
    if (line.kind != IniLineKind::kEntry) {
      return;
    }
    for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
      if (!found_.at(i) && SameIniName(line.name, kPowerKeys.at(i))) {
        found_.at(i) = true;
        values_.at(i) = line.value;
        return;
      }
    }
  }

  std::string_view text_;
  std::size_t pos_;
  std::array<bool, 4> found_{};
  std::array<std::string_view, 4> values_{};
};

// Whether the section's powers, as an evaluation of its unit alone stores them, are those that
// `verdicts` want (a missing entry counts as the empty text, 0). Reads one power at a time and
// stops at the first that differs, which for nearly every unit of a catalogue is the first. Each
// key compared whose text was refused goes to `refused` (section index, key) when it is given.
bool HasPowers(std::string_view text, std::size_t sectionIndex, const IniSection& section,
               std::array<PowerVerdicts, 4>& verdicts,
               std::vector<std::pair<std::size_t, std::string_view>>* refused) {
  SectionPowers powers(text, section);
  for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
    const PowerVerdicts::Verdict verdict = verdicts.at(i).Of(powers.Value(i));
    if (verdict.refused && refused != nullptr) {
      refused->emplace_back(sectionIndex, kPowerKeys.at(i));
    }
    if (!verdict.gives) {
      return false;
    }
  }
  return true;
}

// Drops the candidates (indices into `sections`, in increasing order) that an earlier section of
// the same name shadows. One pass over the sections before the last candidate; a map of the
// candidates' marks (IniNameMark) turns nearly every name away before it is hashed and looked up.
void DropShadowed(std::span<const IniSection> sections, std::vector<std::size_t>& candidates) {
  std::vector<bool> marked(std::size_t{1} << 16U);
  std::unordered_multimap<std::uint64_t, std::size_t> byHash;
  for (const std::size_t candidate : candidates) {
    marked[sections[candidate].nameMark] = true;
    byHash.emplace(IniNameHash(sections[candidate].name), candidate);
  }
  std::unordered_set<std::size_t> shadowed;
  const std::size_t last = candidates.back();
  for (std::size_t j = 0; j < last; ++j) {
    if (!marked[sections[j].nameMark]) {
      continue;
    }
    const auto [first, end] = byHash.equal_range(IniNameHash(sections[j].name));
    for (auto it = first; it != end; ++it) {
      if (it->second > j && SameIniName(sections[j].name, sections[it->second].name)) {
        shadowed.insert(it->second);
      }
    }
  }
  std::erase_if(candidates, [&shadowed](std::size_t index) { return shadowed.contains(index); });
}

// Adds the refused texts of the sections that no earlier section of the same name shadows.
void ReportRefused(const SectionIndex& index, std::span<const IniSection> sections,
                   const std::vector<std::pair<std::size_t, std::string_view>>& found,
                   std::vector<TRefusedPower>& refused) {
  std::vector<std::size_t> reading;
  for (const auto& [section, key] : found) {
    if (reading.empty() || reading.back() != section) {
      reading.push_back(section);
    }
  }
  DropShadowed(sections, reading);
  for (const auto& [section, key] : found) {
    if (std::ranges::binary_search(reading, section)) {
      refused.push_back({std::string(sections[section].name), key,
                         std::string(InspectStoredPower(index, sections[section], key).Text)});
    }
  }
}

// The sections among `sections` (the headers of `text`) with `powers`, by index, that no earlier
// section of the same name shadows.
std::vector<std::size_t> SectionsWithPowers(std::string_view text,
                                            std::span<const IniSection> sections,
                                            const TPowerVector& powers,
                                            std::vector<TRefusedPower>* refused) {
  std::array<PowerVerdicts, 4> verdicts = {PowerVerdicts(powers[0]), PowerVerdicts(powers[1]),
                                           PowerVerdicts(powers[2]), PowerVerdicts(powers[3])};
  std::vector<std::size_t> candidates;
  std::vector<std::pair<std::size_t, std::string_view>> found;
  for (std::size_t i = 0; i < sections.size(); ++i) {
    if (HasPowers(text, i, sections[i], verdicts, refused != nullptr ? &found : nullptr)) {
      candidates.push_back(i);
    }
  }
  if (refused != nullptr && !found.empty()) {
    ReportRefused(SectionIndex(text), sections, found, *refused);
  }
  if (!candidates.empty()) {
    DropShadowed(sections, candidates);
  }
  return candidates;
}

std::vector<std::string> NamesOf(std::span<const IniSection> sections,
                                 std::span<const std::size_t> chosen) {
  std::vector<std::string> names;
  names.reserve(chosen.size());
  for (const std::size_t index : chosen) {
    names.emplace_back(sections[index].name);
  }
  return names;
}

// What the search for `powers` depends on beyond the text, for CatalogueText::RememberFound: the
// powers' exact bits and the decimal separator that the stored texts are read with.
std::string SearchKey(const TPowerVector& powers) {
  std::string key = "powers";
  for (const float power : powers.Powers) {
    key.append(" ").append(std::to_string(std::bit_cast<std::uint32_t>(power)));
  }
  return key.append(" ").append(DecimalSeparator());
}

}  // namespace

std::vector<std::string> UnitsWithPowers(std::string_view text, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused) {
  const std::vector<IniSection> sections = SectionIndex(text).Headers();
  return NamesOf(sections, SectionsWithPowers(text, sections, powers, refused));
}

std::vector<std::string> UnitsWithPowers(const CatalogueText& text, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused) {
  std::string key = SearchKey(powers);
  // The refused texts are found only by the search itself.
  if (const std::vector<std::size_t>* found = text.Found(key);
      found != nullptr && refused == nullptr) {
    return NamesOf(text.Headers(), *found);
  }
  std::vector<std::size_t> found = SectionsWithPowers(text.Text(), text.Headers(), powers, refused);
  std::vector<std::string> names = NamesOf(text.Headers(), found);
  text.RememberFound(std::move(key), std::move(found));
  return names;
}

std::vector<std::string> UnitsWithPowers(const UnitCatalogue& catalogue, const TPowerVector& powers,
                                         std::vector<TRefusedPower>* refused) {
  return UnitsWithPowers(*catalogue.ReadText(), powers, refused);
}

TUnitsAndMatches ListUnitsAndMatches(const UnitCatalogue& catalogue,
                                     const std::optional<TPowerVector>& powers) {
  const std::shared_ptr<const CatalogueText> text = catalogue.ReadText();
  TUnitsAndMatches found{.Units = text->Names(), .Matches = {}};
  if (powers) {
    found.Matches = UnitsWithPowers(*text, *powers);
  }
  return found;
}

}  // namespace calpero
