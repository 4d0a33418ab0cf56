#pragma once

#include <sys/types.h>

#include <ctime>
#include <functional>
#include <optional>
#include <span>
#include <string>
#include <string_view>
#include <vector>

namespace calpero {

class WriteLock;

// Which file a name led to and in what state: the file system's identity of the file, its size
// and its modification time. Two equal stamps of one name tell that it still leads to the same
// file, unchanged, without reading it, as far as the file system keeps times: a rewrite in place
// that keeps the size within one tick of its clock goes unseen, so only a comparison of the bytes
// proves a file unchanged.
struct FileStamp {
  dev_t Device = 0;
  ino_t Inode = 0;
  off_t Size = 0;
  timespec Modified{};

  bool operator==(const FileStamp& other) const {
    return Device == other.Device && Inode == other.Inode && Size == other.Size &&
           Modified.tv_sec == other.Modified.tv_sec && Modified.tv_nsec == other.Modified.tv_nsec;
  }
};

// The stamp of the file that `path` leads to now, following symbolic links; nothing when there is
// none or it cannot be looked at.
std::optional<FileStamp> StampOf(const std::string& path);

// A whole file read into memory.
struct WholeFile {
  enum class Status {
    Read,        // `bytes` holds the file
    Missing,     // the file or a folder on its path does not exist
    Unreadable,  // it exists but cannot be read (no permission, not a regular file, I/O error)
  };
  Status Status = Status::Missing;
  std::string Bytes;
  mode_t Mode = 0;  // permission bits, when read
  int Error = 0;    // why it was not read, as an errno (EISDIR or EINVAL: not a regular file)
  // Which file was read and in what state, to tell whether the name still leads to it unchanged.
  FileStamp Stamp;
};

// Reads the file at `path` with one open, one fstat and reads up to the end of the file, past the
// size that fstat reported when the file has grown. A read that ends before that size while the
// file keeps its stamp is read on a few times and then counts as an I/O error (Unreadable, EIO):
// a text cut short is never taken for the file. Never waits: a FIFO or another special file reads
// as unreadable at once. Never throws beyond
// allocation failure; the outcome is in the status. Goes through FileSystem().
WholeFile ReadWholeFile(const std::string& path);

// Why the file at `path` exists but cannot be read, in the system's words ("Permission denied",
// "Is a directory", "Too many levels of symbolic links", ...); empty when it can be read or when
// it, or a folder on its path, does not exist (a missing file is no problem: its readers take it
// for an empty one). Opens the file without waiting, so a FIFO is reported rather than read, and
// words the file-type cases as ChangeFailureReason does. Never throws beyond allocation.
std::string FileReadProblem(const std::string& path);

// What a change makes of the file it read: false to leave the file as it is; else true, with the
// new contents in `pieces`, written one after the other (views that stay valid until the change
// ends: of the file's bytes, or of text that the caller keeps). A large file changed in a few
// places can thus go out as the unchanged stretches of the text that was read and the new bytes
// between them, never as a second copy of the whole file. It may throw; the file is then left as
// it is.
using FileEdit = std::function<bool(const WholeFile& file, std::vector<std::string_view>& pieces)>;

// Changes the file of `lock` (held by the caller) crash-safely: reads it relative to the lock's
// folder (its contents only when `readsText`), asks `edit` for the new contents and writes them
// to a locked temporary file in the same folder (see temporary_files.h), which is synced and
// renamed over the file; then the folder is synced. Stale temporaries of the file, left by writers
// that were killed, are removed first, so that they never hold the space the change needs (an I/O
// error while they are looked for fails the change). The file's mode, owner, group and ACL are
// read with it: a failure to read any of them (other than there being no ACL) fails the change
// before anything is replaced.
// Never replaces what it did not read: a file found missing is published without replacing
// (renameat2 RENAME_NOREPLACE, else a hard link), so that one that appeared meanwhile stays; a
// file found present is replaced only while its name still leads to that same file, unchanged.
// Otherwise the file is read again and the change made anew, up to a few times, and then it fails
// with EBUSY. A symbolic link on the path stays (the file it leads to is replaced). The new file
// keeps the old one's permission bits, group and POSIX access ACL, and its owner where this
// process may set it (when privileged), as far as the file system keeps them; a file that did not
// exist gets `newFileMode`, or 0666 less the umask when that is empty. Being a new file, it has no
// hard links that the old one may have had.
// Returns false, with errno telling why, the file as it was and its temporary removed, when the
// file exists but cannot be read (with its errno; EISDIR or EINVAL when not a regular file), has no
// write permission bit at all (EACCES, refused even where permissions are bypassed), is not
// writable by this process, or when any step up to the rename fails. (Should even the removal
// fail, the temporary is stale and goes with the next change.) Folders are never created. A
// failure after the rename (closing, the folder's sync) is not reported: the new contents are
// then in place and visible. Never throws beyond allocation failure and what `edit` throws. All
// reading and writing goes through FileSystem().
bool ChangeWholeFile(const WriteLock& lock, const FileEdit& edit,
                     std::optional<mode_t> newFileMode = std::nullopt, bool readsText = true);

// Replaces the file at `path` with `pieces` whatever it holds, under its WriteLock, as
// ChangeWholeFile does; false with errno as there, or as WriteLock::Error() when the lock is not
// had.
bool ReplaceWholeFile(const std::string& path, std::span<const std::string_view> pieces,
                      std::optional<mode_t> newFileMode = std::nullopt);

// Why a change of a file failed, for the user: the system's text for `error` (an errno), or in
// the program's own words where the system's would mislead (another program holding the lock,
// a file that is not a regular one, a file that kept changing).
std::string ChangeFailureReason(int error);

}  // namespace calpero
