#include "catalogue/catalogue_copy.h"

#include "catalogue/unit_catalogue.h"
#include "catalogue/whole_file.h"

namespace calpero {

bool CopyCatalogueFile(const std::string& from, const std::string& to) {
  const WholeFile source = ReadWholeFile(from);
  if (source.status != WholeFile::Status::kRead) {
    return false;
  }
  return ReplaceWholeFile(to, source.bytes, source.mode);
}

bool BackUpCatalogue() {
  return CopyCatalogueFile(std::string(UnitCatalogue::kDefaultPath), std::string(kBackupPath));
}

bool RestoreCatalogue() {
  return CopyCatalogueFile(std::string(kBackupPath), std::string(UnitCatalogue::kDefaultPath));
}

}  // namespace calpero
