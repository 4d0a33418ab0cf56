#include "catalogue/catalogue_copy.h"

#include <cerrno>
#include <string_view>
#include <vector>

#include "catalogue/unit_catalogue.h"
#include "catalogue/whole_file.h"
#include "catalogue/write_lock.h"

namespace calpero {

bool CopyCatalogueFile(const std::string& from, const std::string& to) {
  // The source is read under the lock, so that copies onto one file land in the order in which
  // they read: a copy read earlier never replaces one read later.
  const WriteLock lock(to);
  if (!lock.Held()) {
    errno = lock.Error();
    return false;
  }
  const WholeFile source = ReadWholeFile(from);
  if (source.status != WholeFile::Status::kRead) {
    errno = source.status == WholeFile::Status::kMissing ? ENOENT : source.error;
    return false;
  }
  const std::string_view bytes = source.bytes;
  return ChangeWholeFile(
      lock,
      [bytes](const WholeFile&, std::vector<std::string_view>& pieces) {
        pieces.assign(1, bytes);
        return true;
      },
      source.mode, false);
}

bool BackUpCatalogue() {
  return CopyCatalogueFile(std::string(UnitCatalogue::kDefaultPath), std::string(kBackupPath));
}

bool RestoreCatalogue() {
  return CopyCatalogueFile(std::string(kBackupPath), std::string(UnitCatalogue::kDefaultPath));
}

}  // namespace calpero
