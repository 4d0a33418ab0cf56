#pragma once

#include <string>
#include <string_view>

#include "catalogue/catalogue_change.h"

namespace calpero {

// The one backup of the catalogue, relative to the working directory.
inline constexpr std::string_view kBackupPath = "./Backup/data.ini";

// Copies the catalogue file `from` over the file `to` as CopyWholeFile (storage/file_copy.h) does,
// with its errno, `reason` and `shownTo`. With `change`, what `to` held and what was written are
// recorded there as a change of the catalogue, so that the copy can be taken back (see
// ApplyFileChange); `to` must then be readable.
bool CopyCatalogueFile(const std::string& from, const std::string& to, FileChange* change = nullptr,
                       std::string* reason = nullptr, const std::string& shownTo = {});

// Copies the catalogue (UnitCatalogue::kDefaultPath) to the backup (kBackupPath). Returns false
// when the copy fails, as CopyCatalogueFile does; `change` as there.
bool BackUpCatalogue(FileChange* change = nullptr);

// Copies the backup (kBackupPath) over the catalogue (UnitCatalogue::kDefaultPath). Returns false
// when the copy fails, as CopyCatalogueFile does; `change` as there.
bool RestoreCatalogue(FileChange* change = nullptr);

}  // namespace calpero
