#include "catalogue/unit_catalogue.h"

#include <fcntl.h>
#include <sys/stat.h>

#include <algorithm>
#include <cerrno>
#include <optional>
#include <utility>

#include "catalogue/catalogue_reading.h"
#include "catalogue/detail/section_headers.h"
#include "catalogue/errors.h"
#include "catalogue/ini_text.h"
#include "catalogue/power_text.h"
#include "catalogue/section_index.h"
#include "storage/file_system.h"
#include "storage/whole_file.h"
#include "storage/write_lock.h"

namespace calpero {

UnitCatalogue::UnitCatalogue(std::string path) : path_(std::move(path)), shownPath_(path_) {}

UnitCatalogue::UnitCatalogue(std::string path, std::string shownPath)
    : path_(std::move(path)), shownPath_(std::move(shownPath)) {}

UnitCatalogue::~UnitCatalogue() { Flush(); }

std::vector<std::string> UnitCatalogue::ListUnits() const { return ReadText()->Names(); }

double UnitCatalogue::ReadPower(std::string_view unitName, std::string_view key) const {
  const WholeFile file = ReadWholeFile(path_);
  const SectionIndex index(file.Bytes);
  const std::optional<IniSection> section = index.Find(unitName);
  return section ? ReadStoredPower(index, *section, key) : 0;
}

void UnitCatalogue::WritePower(std::string_view unitName, std::string_view key, double value) {
  const std::pair<std::string_view, double> entry(key, value);
  WritePowers(unitName, std::span(&entry, 1));
}

bool UnitCatalogue::WritePowers(std::string_view unitName,
                                std::span<const std::pair<std::string_view, double>> entries,
                                ExistingUnit existing) {
  if (entries.empty()) {
    return true;
  }
  std::vector<std::string> texts;
  texts.reserve(entries.size());
  std::vector<IniEntryText> stored;
  stored.reserve(entries.size());
  for (const auto& [key, value] : entries) {
    texts.push_back(FormatStoredPower(value));
    stored.push_back({key, texts.back()});
  }
  const WriteLock lock(path_);
  if (!lock.Held()) {
    throw EIniFileException(shownPath_, lock.Reason(shownPath_));
  }
  bool written = false;
  std::vector<TextSplice> splices;  // the pieces of the new file point into them
  std::optional<SectionChange> record;
  const bool changed = ChangeWholeFile(lock, [&](const WholeFile& file, auto& pieces) {
    const SectionIndex index(file.Bytes);
    const std::optional<IniSection> section = index.Find(unitName);
    written = existing == ExistingUnit::Replace || !section || !section->HasEntries;
    if (written) {
      splices = index.SetEntries(unitName, stored);
      pieces = index.Spliced(splices);
      if (observer_) {
        record = SavedSectionChange(file.Bytes, unitName, section, splices);
      }
    }
    return written;
  });
  if (!changed) {
    throw EIniFileException::Failed(shownPath_, errno);
  }
  if (written && record) {
    observer_(*record);
  }
  return written;
}

std::vector<std::string> UnitCatalogue::CopySections(std::string_view source,
                                                     std::span<const std::string> unitNames,
                                                     ExistingUnit existing) {
  // The sections to put, each name once.
  const SectionIndex sourceIndex(source);
  std::vector<std::pair<std::string, std::string_view>> wanted;
  for (const std::string& name : unitNames) {
    const bool seen = std::ranges::any_of(
        wanted, [&name](const auto& entry) { return SameIniName(entry.first, name); });
    const std::optional<IniSection> found = seen ? std::nullopt : sourceIndex.Find(name);
    if (found) {
      wanted.emplace_back(
          name, source.substr(found->HeaderBegin, found->EntriesEnd - found->HeaderBegin));
    }
  }
  const WriteLock lock(path_);
  if (!lock.Held()) {
    throw EIniFileException::Failed(shownPath_, lock.Error());
  }
  std::vector<std::string> kept;
  std::vector<TextSplice> splices;  // the pieces of the new file point into them
  const bool changed = ChangeWholeFile(lock, [&](const WholeFile& file, auto& pieces) {
    const SectionIndex index(file.Bytes);
    const std::string_view lineEnd = LineEndStyle(file.Bytes);
    kept.clear();
    splices.clear();
    std::string appended;
    bool lastLineOpen = !file.Bytes.empty() && file.Bytes.back() != '\n' &&
                        file.Bytes.back() != '\r' &&
                        file.Bytes.size() > IniScanner(file.Bytes).Start();
    for (const auto& [name, bytes] : wanted) {
      const std::optional<IniSection> section = index.Find(name);
      std::string insert(bytes);
      if (section && section->HasEntries && existing == ExistingUnit::Keep) {
        kept.push_back(name);
      } else if (section) {
        const bool followed = section->EntriesEnd < file.Bytes.size();
        if (followed && !insert.empty() && insert.back() != '\n' && insert.back() != '\r') {
          insert.append(lineEnd);
        }
        splices.push_back({section->HeaderBegin, section->EntriesEnd, std::move(insert)});
      } else {
        if (lastLineOpen) {
          appended.append(lineEnd);
        }
        appended.append(insert);
        lastLineOpen = !insert.empty() && insert.back() != '\n' && insert.back() != '\r';
      }
    }
    std::ranges::sort(splices, {}, &TextSplice::Begin);
    if (!appended.empty()) {
      splices.push_back({file.Bytes.size(), file.Bytes.size(), std::move(appended)});
    }
    pieces = index.Spliced(splices);
    return !splices.empty();
  });
  if (!changed && !splices.empty()) {
    throw EIniFileException::Failed(shownPath_, errno);
  }
  return kept;
}

bool UnitCatalogue::UnitExists(std::string_view unitName) const {
  const WholeFile file = ReadWholeFile(path_);
  const std::optional<IniSection> section = SectionIndex(file.Bytes).Find(unitName);
  return section && section->HasEntries;
}

bool UnitCatalogue::EraseUnit(std::string_view unitName) {
  // Without the file (or its folder) there is nothing to erase, and no lock file is made for
  // nothing: a file saved from now on is saved after this erase. A `Data` that is not a folder
  // is no missing catalogue but one that cannot be reached: the lock fails with that reason.
  struct stat status {};
  if (FileSystem().Fstatat(AT_FDCWD, path_.c_str(), &status, 0) != 0) {
    if (errno == ENOENT) {
      return false;
    }
    if (errno != ENOTDIR && errno != EACCES && errno != ELOOP) {
      throw EIniFileException::Failed(shownPath_, errno);  // the lock would meet those the same way
    }
  }
  const WriteLock lock(path_);
  if (!lock.Held()) {
    throw EIniFileException(shownPath_, lock.Reason(shownPath_));
  }
  std::optional<TextSplice> erase;
  // When the file holds what this handle last read, that reading's headers find the section, and
  // the list's reload that follows finds its reading ready: the last one with the section taken
  // out.
  const std::shared_ptr<const CatalogueText> last = lastText_;
  bool readLast = false;
  std::optional<SectionChange> record;
  const bool changed = ChangeWholeFile(lock, [&](const WholeFile& file, auto& pieces) {
    const SectionIndex index(file.Bytes);
    readLast = last != nullptr && file.Bytes == last->Text();
    const SectionHeaders headers = readLast && CatalogueTextHeaders::Walked(*last)
                                       ? CatalogueTextHeaders::Of(*last)
                                       : SectionHeaders{};
    const std::optional<IniSection> found =
        headers.empty() ? index.Find(unitName) : headers.Find(file.Bytes, unitName);
    erase.reset();
    if (found) {
      erase = SectionIndex::Erasing(*found);
      pieces = index.Spliced(std::span(&*erase, 1));
      if (observer_) {
        record = ErasedSectionChange(file.Bytes, unitName, *found, headers);
      }
    }
    return erase.has_value();
  });
  if (!changed) {
    throw EIniFileException::Failed(shownPath_, errno);
  }
  if (erase && record) {
    observer_(*record);
  }
  if (erase && readLast) {
    lastText_ = last->WithErased(*erase);
    // Still under the lock, so the stamp is that of the file just written.
    if (actions_ > 0) {
      actionStamp_ = StampOf(path_);
    }
  }
  return erase.has_value();
}

void UnitCatalogue::Flush() const {}

CatalogueReading UnitCatalogue::ReadUnits(std::span<const std::string> unitNames) const {
  if (unitNames.empty()) {
    return {};
  }
  return {ReadText(), unitNames};
}

std::shared_ptr<const CatalogueText> UnitCatalogue::ReadText() const {
  if (actionStamp_ && lastText_ != nullptr && StampOf(path_) == actionStamp_) {
    return lastText_;
  }
  WholeFile file = ReadWholeFile(path_);
  // Comparing the bytes costs a fraction of walking them, and unlike the file's size and times
  // it cannot miss a change.
  if (lastText_ == nullptr || lastText_->Text() != file.Bytes) {
    lastText_ = std::make_shared<const CatalogueText>(std::move(file.Bytes));
  }
  actionStamp_.reset();
  if (actions_ > 0 && file.Status == WholeFile::Status::Read) {
    actionStamp_ = file.Stamp;
  }
  return lastText_;
}

UnitCatalogue::OneAction::OneAction(const UnitCatalogue& catalogue) : catalogue_(catalogue) {
  ++catalogue_.actions_;
}

UnitCatalogue::OneAction::~OneAction() {
  if (--catalogue_.actions_ == 0) {
    catalogue_.actionStamp_.reset();
  }
}

}  // namespace calpero
