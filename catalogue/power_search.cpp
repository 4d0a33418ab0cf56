#include "catalogue/power_search.h"

#include <algorithm>
#include <array>
#include <cstddef>
#include <cstdint>
#include <span>
#include <string_view>
#include <tuple>
#include <utility>

#include "catalogue/catalogue_reading.h"
#include "catalogue/detail/section_headers.h"
#include "catalogue/ini_text.h"
#include "catalogue/power_keys.h"
#include "catalogue/power_text.h"
#include "catalogue/section_index.h"
#include "text/text_bytes.h"

namespace calpero {
namespace {

// The first entries of the four power keys in one section, read line by line only as far as the
// questions asked so far need: what one question read is kept for the next, so a section's lines
// are each read once however many of its powers are compared.
class SectionPowers {
 public:
  // `text` is the catalogue text of `section`, and outlives this object.
  SectionPowers(std::string_view text, const IniSection& section)
      : text_(text.substr(0, section.End)), pos_(section.BodyBegin) {}

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
    pos_ = line.Next;
    if (line.Kind != IniLineKind::Entry) {
      return;
    }
    for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
      if (!found_.at(i) && SameIniName(line.Name, kPowerKeys.at(i))) {
        found_.at(i) = true;
        values_.at(i) = line.Value;
        return;
      }
    }
  }

  std::string_view text_;
  std::size_t pos_;
  std::array<bool, 4> found_{};
  std::array<std::string_view, 4> values_{};
};

// A refused text that a search judged: the section (an index into the headers), the key's index
// in kPowerKeys, the text.
using RefusedText = std::tuple<std::size_t, std::size_t, std::string_view>;

// Whether the section's four power texts pass `test` (a missing entry reads as the empty text).
// Reads one power at a time and stops at the first that fails. Each key judged whose text was
// refused goes to `refused` when it is given.
bool PowersPass(std::string_view text, std::size_t sectionIndex, const IniSection& section,
                PowerTextTest& test, std::vector<RefusedText>* refused) {
  SectionPowers powers(text, section);
  for (std::size_t i = 0; i < kPowerKeys.size(); ++i) {
    const std::string_view value = powers.Value(i);
    const PowerTextVerdict verdict = test.Judge(i, value);
    if (verdict.Refused && refused != nullptr) {
      refused->emplace_back(sectionIndex, i, value);
    }
    if (!verdict.Passes) {
      return false;
    }
  }
  return true;
}

// Adds the refused texts of the sections that no earlier section of the same name shadows.
void ReportRefused(const SectionHeaders& headers, const std::vector<RefusedText>& found,
                   std::vector<TRefusedPower>& refused) {
  std::vector<std::size_t> reading;
  for (const auto& [section, key, value] : found) {
    if (reading.empty() || reading.back() != section) {
      reading.push_back(section);
    }
  }
  headers.KeepFirstOfTheirNames(reading);
  for (const auto& [section, key, value] : found) {
    if (std::ranges::binary_search(reading, section)) {
      refused.push_back(
          {std::string(headers.sections[section].Name), kPowerKeys.at(key), std::string(value)});
    }
  }
}

// The sections among `headers` (those of `text`) whose powers pass `test`, by index, that no
// earlier section of the same name shadows.
std::vector<std::size_t> SectionsThatPass(std::string_view text, const SectionHeaders& headers,
                                          PowerTextTest& test,
                                          std::vector<TRefusedPower>* refused) {
  std::vector<std::size_t> candidates;
  std::vector<RefusedText> found;
  for (std::size_t i = 0; i < headers.sections.size(); ++i) {
    if (PowersPass(text, i, headers.sections[i], test, refused != nullptr ? &found : nullptr)) {
      candidates.push_back(i);
    }
  }
  if (refused != nullptr && !found.empty()) {
    ReportRefused(headers, found, *refused);
  }
  headers.KeepFirstOfTheirNames(candidates);
  return candidates;
}

std::vector<std::string> NamesOf(std::span<const IniSection> sections,
                                 std::span<const std::size_t> chosen) {
  std::vector<std::string> names;
  names.reserve(chosen.size());
  for (const std::size_t index : chosen) {
    names.emplace_back(sections[index].Name);
  }
  return names;
}

}  // namespace

std::vector<std::string> UnitsWhosePowersPass(std::string_view text, PowerTextTest& test,
                                              std::vector<TRefusedPower>* refused) {
  std::vector<IniSection> sections;
  std::vector<std::uint16_t> marks;
  SectionHeaders::Walk(text, sections, marks);
  return NamesOf(sections, SectionsThatPass(text, {sections, marks}, test, refused));
}

std::vector<std::string> UnitsWhosePowersPass(const CatalogueText& text, PowerTextTest& test,
                                              std::vector<TRefusedPower>* refused) {
  // The stored texts are read with the decimal separator in force, so a search under another one
  // is another search.
  std::string key = "powers " + test.Question() + " " + DecimalSeparator();
  // The refused texts are found only by the search itself.
  const SectionHeaders headers = CatalogueTextHeaders::Of(text);
  if (const std::vector<std::size_t>* found = CatalogueTextHeaders::Found(text, key);
      found != nullptr && refused == nullptr) {
    return NamesOf(headers.sections, *found);
  }
  std::vector<std::size_t> found = SectionsThatPass(text.Text(), headers, test, refused);
  std::vector<std::string> names = NamesOf(headers.sections, found);
  CatalogueTextHeaders::RememberFound(text, std::move(key), std::move(found));
  return names;
}

}  // namespace calpero
