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
  return entry ? InspectStoredPower(entry->Value) : StoredPower{};
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
  const std::size_t removed = erase.End - erase.Begin;
  std::string text;
  text.reserve(text_.size() - removed);
  text.append(text_, 0, erase.Begin).append(text_, erase.End);
  // Two cases where the bytes that meet make lines that were not there, so the walk is needed:
  // a CR before the erased lines meeting an LF after them (one CRLF line end instead of two line
  // ends), and a file that now begins with a byte order mark.
  const bool crMeetsLf = erase.Begin > 0 && text_[erase.Begin - 1] == '\r' &&
                         erase.End < text_.size() && text_[erase.End] == '\n';
  // Made first, so that the names below view the text where it finally lives.
  const auto erased = std::make_shared<CatalogueText>(std::move(text));
  if (!headers_ || crMeetsLf || (erase.Begin == 0 && IniScanner(erased->text_).Start() != 0)) {
    return erased;
  }
  const auto erasedHeader =
      std::ranges::lower_bound(*headers_, erase.Begin, {}, &IniSection::HeaderBegin);
  if (erasedHeader == headers_->end() || erasedHeader->HeaderBegin != erase.Begin) {
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
        nameShared || (mark == erasedMark && SameIniName(section.Name, erasedHeader->Name));
    IniSection kept = section;
    const auto nameAt = static_cast<std::size_t>(section.Name.data() - text_.data()) - shift;
    kept.Name = newText.substr(nameAt, section.Name.size());
    kept.HeaderBegin -= shift;
    kept.BodyBegin -= shift;
    kept.End -= shift;
    kept.EntriesEnd -= shift;
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
    headers.back().End = erasedHeader->End - removed;
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
      std::erase(search.Sections, erasedAt);
      for (std::size_t& index : search.Sections) {
        index -= index > erasedAt ? 1 : 0;
      }
    }
  }
  return erased;
}

void CatalogueText::RememberFound(std::string key, std::vector<std::size_t> sections) const {
  constexpr std::size_t kSearchesKept = 4;
  std::erase_if(found_, [&key](const FoundSections& search) { return search.Key == key; });
  if (found_.size() == kSearchesKept) {
    found_.erase(found_.begin());
  }
  found_.push_back({std::move(key), std::move(sections)});
}

const std::vector<std::size_t>* CatalogueText::Found(std::string_view key) const {
  const auto search = std::ranges::find(found_, key, &FoundSections::Key);
  return search != found_.end() ? &search->Sections : nullptr;
}

std::vector<std::string> CatalogueText::Names() const {
  std::vector<std::string> names;
  const SectionHeaders headers = Headers();
  names.reserve(headers.sections.size());
  for (const IniSection& section : headers.sections) {
    names.emplace_back(section.Name);
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
