#pragma once

#include <sys/types.h>

#include <filesystem>
#include <optional>
#include <span>
#include <string>
#include <string_view>

namespace calpero {

// A whole file read into memory.
struct WholeFile {
  enum class Status {
    kRead,        // `bytes` holds the file
    kMissing,     // the file or a folder on its path does not exist
    kUnreadable,  // it exists but cannot be read (no permission, not a regular file, I/O error)
  };
  Status status = Status::kMissing;
  std::string bytes;
  mode_t mode = 0;  // permission bits, when read
  int error = 0;    // why it was not read, as an errno (EISDIR or EINVAL: not a regular file)
};

// Reads the file at `path` with one open, one fstat and one read (more only if the system returns
// less). Never waits: a FIFO or another special file reads as unreadable at once. Never throws
// beyond allocation failure; the outcome is in the status. The open goes through FileSystem().
WholeFile ReadWholeFile(const std::string& path);

// The file that `path` finally leads to, following symbolic links (it may not exist yet), or
// nothing when a link cannot be read or the links loop.
std::optional<std::filesystem::path> FinalTarget(const std::filesystem::path& path);

// Replaces the file at `path` with `bytes` so that a crash or a failure at any step leaves either
// the old file or the new one, never a mixture: the bytes go to a locked temporary file in the
// same folder (see temporary_files.h), which is synced and renamed over the file; then the folder
// is synced, and stale temporaries of the file, left by writers that were killed, are removed.
// When `path` is a symbolic link, the file it leads to is replaced and the link stays. The new
// file keeps the old one's permission bits and group, and its owner where this process may set it
// (when privileged); a file that did not exist gets `newFileMode`, or 0666 less the umask when
// that is empty. Being a new file, it has no hard links that the old one may have had.
// A writer that read the file and changes it holds its WriteLock (write_lock.h) throughout.
// Returns false, with errno telling why, the file as it was and its temporary removed, when the
// file exists but is not a regular file (EISDIR or EINVAL), has no write permission bit at all
// (EACCES, refused even where permissions are bypassed), is not writable by this process, or when
// the folder is missing or any step up to the rename fails. (Should even the removal fail, the
// temporary is stale and goes with the next successful replacement.) Folders are never created.
// A failure after the rename (closing, the folder's sync) is not reported: the new contents are
// then in place and visible. Never throws beyond allocation failure. All writing goes through
// FileSystem().
bool ReplaceWholeFile(const std::string& path, std::string_view bytes,
                      std::optional<mode_t> newFileMode = std::nullopt);

// The same, with the new contents given as pieces written one after the other: a changed
// catalogue goes out as the unchanged stretches of the text that was read and the new bytes
// between them, never as a second copy of the whole file.
bool ReplaceWholeFile(const std::string& path, std::span<const std::string_view> pieces,
                      std::optional<mode_t> newFileMode = std::nullopt);

}  // namespace calpero
