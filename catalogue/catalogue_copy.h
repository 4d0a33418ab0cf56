#pragma once

#include <string>
#include <string_view>

#include "catalogue/catalogue_change.h"

namespace calpero {

// The one backup of the catalogue, relative to the working directory.
inline constexpr std::string_view kBackupPath = "./Backup/data.ini";

// Copies the file `from` over the file `to` byte for byte, replacing `to` crash-safely (see
// ChangeWholeFile): `to` keeps its permission bits when it exists, else takes those of `from`.
// Holds the WriteLock of `to` from reading `from` to the rename. Returns false, with errno telling
// why, `to` as it was and no temporary file left, when `from` is missing or unreadable, the folder
// of `to` is missing, `to` is read-only, another writer held the lock too long (EWOULDBLOCK), or
// any step fails (ENOTDIR where a file stands in place of a folder); ChangeFailureReason
// (whole_file.h) words errno for the user. Never creates folders; never throws beyond allocation
// failure.
// With `change`, what `to` held (read under the same lock) and what was written are recorded
// there, so that the copy can be taken back (see ApplyFileChange); `to` must then be readable.
// When `reason` is given, a failure also sets it to why, for the user, naming a lock file that is
// in the way as one beside `shownTo` (how the user names `to`; `to` itself when empty).
bool CopyCatalogueFile(const std::string& from, const std::string& to, FileChange* change = nullptr,
                       std::string* reason = nullptr, const std::string& shownTo = {});

// Copies the catalogue (UnitCatalogue::kDefaultPath) to the backup (kBackupPath). Returns false
// when the copy fails, as CopyCatalogueFile does; `change` as there.
bool BackUpCatalogue(FileChange* change = nullptr);

// Copies the backup (kBackupPath) over the catalogue (UnitCatalogue::kDefaultPath). Returns false
// when the copy fails, as CopyCatalogueFile does; `change` as there.
bool RestoreCatalogue(FileChange* change = nullptr);

}  // namespace calpero
