#include "catalogue/catalogue_copy.h"

#include <utility>

#include "catalogue/unit_catalogue.h"
#include "storage/file_copy.h"

namespace calpero {

bool CopyCatalogueFile(const std::string& from, const std::string& to, FileChange* change,
                       std::string* reason, const std::string& shownTo) {
  CopiedFile copied;
  if (!CopyWholeFile(from, to, change != nullptr ? &copied : nullptr, reason, shownTo)) {
    return false;
  }
  if (change != nullptr) {
    *change = FileChange{to, std::move(copied.Before), std::move(copied.After)};
  }
  return true;
}

bool BackUpCatalogue(FileChange* change) {
  return CopyCatalogueFile(std::string(UnitCatalogue::kDefaultPath), std::string(kBackupPath),
                           change);
}

bool RestoreCatalogue(FileChange* change) {
  return CopyCatalogueFile(std::string(kBackupPath), std::string(UnitCatalogue::kDefaultPath),
                           change);
}

}  // namespace calpero
