#include "catalogue/catalogue_reading.h"

#include <algorithm>
#include <memory>
#include <optional>
#include <utility>

#include "catalogue/detail/section_headers.h"
#include "catalogue/errors.h"
#include "catalogue/ini_text.h"
#include "catalogue/power_text.h"

namespace calpero {

StoredPower InspectStoredPower(std::string_view text) {
  if (text.empty()) {
    return {};
  }
  StoredPower power{StoredPowerState::Number, text, 0};
  long double value = 0;
  try {
    value = ParsePower(text);
  } catch (const EConvertError&) {
    // A hand-edited or foreign value counts as no power at all.
    power.State = StoredPowerState::Refused;
    return power;
  }
  try {
    power.Value = PowerToDouble(value);
  } catch (const EOverflow&) {
    power.State = StoredPowerState::Overflow;
  }
  return power;
}

StoredPower InspectStoredPower(const SectionIndex& index, const IniSection& section,
                               std::string_view key) {
  const std::optional<IniLine> entry = index.FindEntry(section, key);
  return entry ? InspectStoredPower(entry->value) : StoredPower{};
}

double ReadStoredPower(const SectionIndex& index, const IniSection& section, std::string_view key) {
  const StoredPower power = InspectStoredPower(index, section, key);
  if (power.State == StoredPowerState::Overflow) {
    throw EOverflow();
  }
  return power.Value;
}

CatalogueText::CatalogueText(std::string text) : text_(std::move(text)) {}

SectionHeaders CatalogueText::Headers() const {
  if (!headers_) {
    SectionHeaders::Walk(text_, headers_.emplace(), marks_);
  }
  return {*headers_, marks_};
}

SectionTable CatalogueText::FindAll(std::span<const std::string> names) const {
  return headers_ ? Headers().FindAll(text_, names) : Index().FindAll(names);
}

std::shared_ptr<const CatalogueText> CatalogueText::WithErased(const TextSplice& erase) const {
  const std::size_t removed = erase.end - erase.begin;
  std::string text;
  text.reserve(text_.size() - removed);
  text.append(text_, 0, erase.begin).append(text_, erase.end);
  // Two cases where the bytes that meet make lines that were not there, so the walk is needed:
  // a CR before the erased lines meeting an LF after them (one CRLF line end instead of two line
  // ends), and a file that now begins with a byte order mark.
  const bool crMeetsLf = erase.begin > 0 && text_[erase.begin - 1] == '\r' &&
                         erase.end < text_.size() && text_[erase.end] == '\n';
  // Made first, so that the names below view the text where it finally lives.
  const auto erased = std::make_shared<CatalogueText>(std::move(text));
  if (!headers_ || crMeetsLf || (erase.begin == 0 && IniScanner(erased->text_).Start() != 0)) {
    return erased;
  }
  const auto erasedHeader =
      std::ranges::lower_bound(*headers_, erase.begin, {}, &IniSection::headerBegin);
  if (erasedHeader == headers_->end() || erasedHeader->headerBegin != erase.begin) {
    return erased;
  }
  const auto erasedAt = static_cast<std::size_t>(erasedHeader - headers_->begin());
  const std::string_view newText = erased->text_;
  const std::uint16_t erasedMark = marks_[erasedAt];
  bool nameShared = false;
  // Each kept header, its name viewing the new text and its offsets `shift` bytes nearer the
  // start.
  const auto keep = [&](const IniSection& section, std::size_t shift) {
    const std::uint16_t mark = marks_[static_cast<std::size_t>(&section - headers_->data())];
    nameShared =
        nameShared || (mark == erasedMark && SameIniName(section.name, erasedHeader->name));
    IniSection kept = section;
    const auto nameAt = static_cast<std::size_t>(section.name.data() - text_.data()) - shift;
    kept.name = newText.substr(nameAt, section.name.size());
    kept.headerBegin -= shift;
    kept.bodyBegin -= shift;
    kept.end -= shift;
    kept.entriesEnd -= shift;
    return kept;
  };
  std::vector<IniSection>& headers = erased->headers_.emplace();
  headers.reserve(headers_->size() - 1);
  for (auto section = headers_->begin(); section != erasedHeader; ++section) {
    headers.push_back(keep(*section, 0));
  }
  // The erase took the header and the entries; lines after the last entry now close the section
  // before it.
  if (!headers.empty()) {
    headers.back().end = erasedHeader->end - removed;
  }
  for (auto section = erasedHeader + 1; section != headers_->end(); ++section) {
    headers.push_back(keep(*section, removed));
  }
  erased->marks_ = marks_;
  erased->marks_.erase(erased->marks_.begin() + static_cast<std::ptrdiff_t>(erasedAt));
  // Another section of the erased name may now come first, which changes its verdict.
  if (!nameShared) {
    erased->found_ = found_;
    for (FoundSections& search : erased->found_) {
      std::erase(search.sections, erasedAt);
      for (std::size_t& index : search.sections) {
        index -= index > erasedAt ? 1 : 0;
      }
    }
  }
  return erased;
}

void CatalogueText::RememberFound(std::string key, std::vector<std::size_t> sections) const {
  constexpr std::size_t kSearchesKept = 4;
  std::erase_if(found_, [&key](const FoundSections& search) { return search.key == key; });
  if (found_.size() == kSearchesKept) {
    found_.erase(found_.begin());
  }
  found_.push_back({std::move(key), std::move(sections)});
}

const std::vector<std::size_t>* CatalogueText::Found(std::string_view key) const {
  const auto search = std::ranges::find(found_, key, &FoundSections::key);
  return search != found_.end() ? &search->sections : nullptr;
}

std::vector<std::string> CatalogueText::Names() const {
  std::vector<std::string> names;
  const SectionHeaders headers = Headers();
  names.reserve(headers.sections.size());
  for (const IniSection& section : headers.sections) {
    names.emplace_back(section.name);
  }
  return names;
}

CatalogueReading::CatalogueReading(std::shared_ptr<const CatalogueText> text,
                                   std::span<const std::string> unitNames)
    : text_(std::move(text)), sections_(text_->FindAll(unitNames)) {}

double CatalogueReading::ReadPower(std::string_view unitName, std::string_view key) const {
  const IniSection* section = sections_.Find(unitName);
  return section != nullptr ? ReadStoredPower(text_->Index(), *section, key) : 0;
}

StoredPower CatalogueReading::InspectPower(std::string_view unitName, std::string_view key) const {
  const IniSection* section = sections_.Find(unitName);
  return section != nullptr ? InspectStoredPower(text_->Index(), *section, key) : StoredPower{};
}

bool CatalogueReading::HoldsUnit(std::string_view unitName) const {
  return sections_.Find(unitName) != nullptr;
}

}  // namespace calpero
