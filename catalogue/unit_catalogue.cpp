#include "catalogue/unit_catalogue.h"

#include <cerrno>
#include <optional>
#include <system_error>
#include <utility>

#include "catalogue/catalogue_reading.h"
#include "catalogue/errors.h"
#include "catalogue/power_text.h"
#include "catalogue/section_index.h"
#include "catalogue/stored_power.h"
#include "catalogue/whole_file.h"
#include "catalogue/write_lock.h"

namespace calpero {
namespace {

// The failure of a change of the catalogue at `path` for the reason `error`, an errno.
EIniFileException WriteError(const std::string& path, int error) {
  std::string reason = error == EWOULDBLOCK ? "the catalogue is being changed by another program"
                                            : std::generic_category().message(error);
  return EIniFileException("Unable to write to " + path, std::move(reason));
}

}  // namespace

UnitCatalogue::UnitCatalogue(std::string path) : path_(std::move(path)), shownPath_(path_) {}

UnitCatalogue::UnitCatalogue(std::string path, std::string shownPath)
    : path_(std::move(path)), shownPath_(std::move(shownPath)) {}

UnitCatalogue::~UnitCatalogue() { Flush(); }

std::vector<std::string> UnitCatalogue::ListUnits() const { return ReadText()->Names(); }

double UnitCatalogue::ReadPower(std::string_view unitName, std::string_view key) const {
  const WholeFile file = ReadWholeFile(path_);
  const SectionIndex index(file.bytes);
  const std::optional<IniSection> section = index.Find(unitName);
  return section ? ReadStoredPower(index, *section, key) : 0;
}

void UnitCatalogue::WritePower(std::string_view unitName, std::string_view key, double value) {
  const std::pair<std::string_view, double> entry(key, value);
  WritePowers(unitName, std::span(&entry, 1));
}

void UnitCatalogue::WritePowers(std::string_view unitName,
                                std::span<const std::pair<std::string_view, double>> entries) {
  if (entries.empty()) {
    return;
  }
  const WriteLock lock(path_);
  if (!lock.Held()) {
    throw WriteError(shownPath_, lock.Error());
  }
  const WholeFile file = ReadWholeFile(path_);
  // An unreadable file must not be replaced by one that lacks its contents.
  if (file.status == WholeFile::Status::kUnreadable) {
    throw WriteError(shownPath_, file.error);
  }
  std::vector<std::string> texts;
  texts.reserve(entries.size());
  std::vector<IniEntryText> stored;
  stored.reserve(entries.size());
  for (const auto& [key, value] : entries) {
    texts.push_back(FormatStoredPower(value));
    stored.push_back({key, texts.back()});
  }
  const SectionIndex index(file.bytes);
  const std::vector<TextSplice> splices = index.SetEntries(unitName, stored);
  if (!ReplaceWholeFile(path_, index.Spliced(splices))) {
    throw WriteError(shownPath_, errno);
  }
}

bool UnitCatalogue::UnitExists(std::string_view unitName) const {
  const WholeFile file = ReadWholeFile(path_);
  const std::optional<IniSection> section = SectionIndex(file.bytes).Find(unitName);
  return section && section->hasEntries;
}

void UnitCatalogue::EraseUnit(std::string_view unitName) {
  const WriteLock lock(path_);
  // Without its folder there is no file, and so nothing to erase.
  if (!lock.Held() && (lock.Error() == ENOENT || lock.Error() == ENOTDIR)) {
    return;
  }
  if (!lock.Held()) {
    throw WriteError(shownPath_, lock.Error());
  }
  const WholeFile file = ReadWholeFile(path_);
  if (file.status == WholeFile::Status::kUnreadable) {
    throw WriteError(shownPath_, file.error);
  }
  const SectionIndex index(file.bytes);
  const std::optional<TextSplice> erase = index.Erase(unitName);
  if (erase && !ReplaceWholeFile(path_, index.Spliced(std::span(&*erase, 1)))) {
    throw WriteError(shownPath_, errno);
  }
}

void UnitCatalogue::Flush() const {}

CatalogueReading UnitCatalogue::ReadUnits(std::span<const std::string> unitNames) const {
  if (unitNames.empty()) {
    return {};
  }
  return {ReadText(), unitNames};
}

std::shared_ptr<const CatalogueText> UnitCatalogue::ReadText() const {
  WholeFile file = ReadWholeFile(path_);
  // Comparing the bytes costs a fraction of walking them, and unlike the file's size and times
  // it cannot miss a change.
  if (lastText_ == nullptr || lastText_->Text() != file.bytes) {
    lastText_ = std::make_shared<const CatalogueText>(std::move(file.bytes));
  }
  return lastText_;
}

}  // namespace calpero
