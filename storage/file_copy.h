#pragma once

#include <optional>
#include <string>

namespace calpero {

// What a copy replaced and what it wrote.
struct CopiedFile {
  std::optional<std::string> Before;  // nothing when the file did not exist
  std::string After;
};

// Copies the file `from` over the file `to` byte for byte, replacing `to` crash-safely (see
// ChangeWholeFile): `to` keeps its permission bits when it exists, else takes those of `from`.
// Holds the WriteLock of `to` from reading `from` to the rename, so that copies onto one file land
// in the order in which they read. Returns false, with errno telling why, `to` as it was and no
// temporary file left, when `from` is missing or unreadable, the folder of `to` is missing, `to`
// is read-only, another writer held the lock too long (EWOULDBLOCK), or any step fails (ENOTDIR
// where a file stands in place of a folder); ChangeFailureReason (whole_file.h) words errno for
// the user. Never creates folders; never throws beyond allocation failure.
// With `copied`, what `to` held (read under the same lock) and what was written are kept there, so
// that the copy can be taken back; `to` must then be readable.
// When `reason` is given, a failure also sets it to why, for the user, naming a lock file that is
// in the way as one beside `shownTo` (how the user names `to`; `to` itself when empty).
bool CopyWholeFile(const std::string& from, const std::string& to, CopiedFile* copied = nullptr,
                   std::string* reason = nullptr, const std::string& shownTo = {});

}  // namespace calpero
