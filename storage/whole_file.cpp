#include "storage/whole_file.h"

#include <fcntl.h>
#include <linux/fs.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <array>
#include <cerrno>
#include <system_error>
#include <utility>

#include "storage/file_access.h"
#include "storage/file_system.h"
#include "storage/temporary_files.h"
#include "storage/write_lock.h"

namespace calpero {
namespace {

FileStamp StampOf(const struct stat& status) {
  return {status.st_dev, status.st_ino, status.st_size, status.st_mtim};
}

constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAnyWriteBit = 0222;
// Room beyond the size that fstat reported, so that the read that finds the end of the file
// usually needs no second buffer.
constexpr std::size_t kReadSlack = 4096;
// How often a read that ends before the file's size is tried again before it counts as failed.
constexpr int kMostEarlyEnds = 3;
// How often a change reads the file again when the file changed under it before it gives up:
// another program that keeps replacing the file without taking the lock.
constexpr int kMostAttempts = 5;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = FileSystem().Write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written == 0) {
      errno = EIO;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Reads `fd` to its end into `bytes`, starting with room for the size of `stamp`, the file's
// state when it was opened; false on an error. A read that ends before that size while the file
// still has that size and time is a short read (a network or FUSE file system that delivered less
// than it has): it is read on, a few times, and then refused with EIO rather than taken for the
// whole file. A file that really became shorter meanwhile ends where it ends, and `stamp` becomes
// its new one.
bool ReadToEnd(int fd, FileStamp& stamp, std::string& bytes) {
  const auto expected = static_cast<std::size_t>(std::max<off_t>(stamp.Size, 0));
  bytes.resize(expected + kReadSlack);
  std::size_t filled = 0;
  int earlyEnds = 0;
  for (;;) {
    if (filled == bytes.size()) {
      bytes.resize(bytes.size() * 2);
    }
    const ssize_t got = FileSystem().Read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return false;
    }
    if (got > 0) {
      filled += static_cast<std::size_t>(got);
      continue;
    }
    if (filled >= expected) {
      break;
    }
    struct stat now {};
    if (FileSystem().Fstat(fd, &now) != 0) {
      return false;
    }
    if (StampOf(now) != stamp) {
      stamp = StampOf(now);
      if (static_cast<std::size_t>(std::max<off_t>(now.st_size, 0)) <= filled) {
        break;  // changed in place and shorter now: this is its end
      }
    }
    if (++earlyEnds > kMostEarlyEnds) {
      errno = EIO;
      return false;
    }
  }
  bytes.resize(filled);
  return true;
}

// Why a file of `status` cannot be read whole: EISDIR for a folder, EINVAL for anything else that
// is not a regular file (a FIFO, a device, a socket); 0 for a regular file.
int NotRegularError(const struct stat& status) {
  if (S_ISREG(status.st_mode)) {
    return 0;
  }
  return S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
}

// Closes `fd`, a file that was only read: a failure says that something went wrong with the
// file meanwhile, though nothing can be lost. EINTR closes the descriptor all the same.
bool CloseRead(int fd) { return FileSystem().Close(fd) == 0 || errno == EINTR; }

// Reads `name` in `folder` (or a path, with AT_FDCWD), its bytes only when `text`; fills `access`
// when given. The file stays open only while it is read.
WholeFile ReadAt(int folder, const char* name, int extraFlags, bool text, FileAccess* access) {
  WholeFile file;
  // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come.
  const int fd =
      FileSystem().Openat(folder, name, O_RDONLY | O_NONBLOCK | O_CLOEXEC | extraFlags, 0);
  if (fd < 0) {
    file.Error = errno;
    file.Status = errno == ENOENT || errno == ENOTDIR ? WholeFile::Status::Missing
                                                      : WholeFile::Status::Unreadable;
    return file;
  }
  struct stat status {};
  if (FileSystem().Fstat(fd, &status) != 0) {
    file.Error = errno;
  } else if (const int notRegular = NotRegularError(status); notRegular != 0) {
    file.Error = notRegular;
  } else {
    file.Mode = status.st_mode & kPermissionBits;
    file.Stamp = StampOf(status);
    const bool read = (!text || ReadToEnd(fd, file.Stamp, file.Bytes)) &&
                      (access == nullptr || ReadAccess(fd, *access));
    file.Error = read ? 0 : errno;
  }
  if (!CloseRead(fd) && file.Error == 0) {
    file.Error = errno;
  }
  file.Status = file.Error == 0 ? WholeFile::Status::Read : WholeFile::Status::Unreadable;
  if (file.Error != 0) {
    file.Bytes.clear();
  }
  return file;
}

// Whether the file read as `file` may be replaced by this process; false with errno when not.
bool MayReplace(int folder, const std::string& name, const WholeFile& file) {
  if ((file.Mode & kAnyWriteBit) == 0) {
    errno = EACCES;
    return false;
  }
  return FileSystem().Faccessat(folder, name.c_str(), W_OK, AT_EACCESS | AT_SYMLINK_NOFOLLOW) == 0;
}

// Whether `name` in `folder` still leads to the file read as `file`, unchanged: Same, Changed
// (also when it is gone), or Unknown (errno set) when it cannot be looked at.
enum class Sameness { Same, Changed, Unknown };

Sameness StillTheFileRead(int folder, const std::string& name, const WholeFile& file) {
  struct stat status {};
  if (FileSystem().Fstatat(folder, name.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
    return errno == ENOENT ? Sameness::Changed : Sameness::Unknown;
  }
  return StampOf(status) == file.Stamp ? Sameness::Same : Sameness::Changed;
}

// Gives `temporary` the name `name` only if nothing has that name. EEXIST when something has.
int PublishWithoutReplacing(int folder, const char* temporary, const char* name) {
  if (FileSystem().Renameat(folder, temporary, folder, name, RENAME_NOREPLACE) == 0) {
    return 0;
  }
  if (errno != EINVAL && errno != ENOSYS && errno != EOPNOTSUPP) {
    return -1;
  }
  // A file system without that rename (some network and FUSE ones): a hard link also refuses
  // an existing name; the temporary's own name then goes.
  if (FileSystem().Linkat(folder, temporary, folder, name) == 0) {
    FileSystem().Unlinkat(folder, temporary);
    return 0;
  }
  if (errno != EPERM && errno != EOPNOTSUPP && errno != ENOSYS) {
    return -1;
  }
  // Nor hard links (vfat): the nearest is to look just before the rename.
  struct stat status {};
  if (FileSystem().Fstatat(folder, name, &status, AT_SYMLINK_NOFOLLOW) == 0) {
    errno = EEXIST;
    return -1;
  }
  if (errno != ENOENT) {
    return -1;
  }
  return FileSystem().Renameat(folder, temporary, folder, name, 0);
}

// Makes the folder's entries (the rename) durable. Best effort: the rename has happened already,
// and a folder that may not be read cannot be opened for syncing.
void SyncFolder(int folder) {
  const int fd = FileSystem().Openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) {
    return;
  }
  FileSystem().Fsync(fd);
  FileSystem().Close(fd);
}

enum class Published { Done, FileChanged, Failed };

// What the replacement keeps of the file read, or what a new file is given.
struct Keeping {
  std::optional<FileAccess> Access;  // of the file replaced
  std::optional<mode_t> NewFileMode;
};

// Writes `pieces` to a new temporary and gives it the name of the file read as `file`.
Published Publish(const WriteLock& lock, const WholeFile& file,
                  std::span<const std::string_view> pieces, const Keeping& keeping) {
  const int folder = lock.Folder();
  const std::optional<mode_t> mode =
      keeping.Access ? std::optional(keeping.Access->Mode) : keeping.NewFileMode;
  std::string temporary;
  // Made with the permission bits it will have (less the umask), so that they are right even
  // where the file system refuses to change them afterwards.
  const int fd = CreateTemporary(folder, lock.Name(), mode ? *mode & 0777 : 0666, temporary);
  if (fd < 0) {
    return Published::Failed;
  }
  bool filled = keeping.Access ? GiveAccess(fd, *keeping.Access)
                               : !mode || FileSystem().Fchmod(fd, *mode) == 0 || errno == EPERM ||
                                     errno == ENOSYS || errno == EOPNOTSUPP;
  for (const std::string_view piece : pieces) {
    filled = filled && WriteAll(fd, piece);
  }
  filled = filled && FileSystem().Fsync(fd) == 0;
  Published outcome = Published::Failed;
  if (filled && file.Status == WholeFile::Status::Missing) {
    const bool done = PublishWithoutReplacing(folder, temporary.c_str(), lock.Name().c_str()) == 0;
    outcome = done ? Published::Done : errno == EEXIST ? Published::FileChanged : outcome;
  } else if (const Sameness same =
                 filled ? StillTheFileRead(folder, lock.Name(), file) : Sameness::Unknown;
             same != Sameness::Same) {
    outcome = same == Sameness::Changed ? Published::FileChanged : outcome;
  } else {
    const bool done =
        FileSystem().Renameat(folder, temporary.c_str(), folder, lock.Name().c_str(), 0) == 0;
    outcome = done ? Published::Done : outcome;
  }
  if (outcome != Published::Done) {
    const int error = errno;
    FileSystem().Unlinkat(folder, temporary.c_str());
    FileSystem().Close(fd);
    errno = error;
    return outcome;
  }
  // The data was synced before the rename, so closing can no longer lose any of it.
  FileSystem().Close(fd);
  SyncFolder(folder);
  return outcome;
}

std::string SystemMessage(int error) { return std::generic_category().message(error); }

// What stands in the way of reading the open file `fd`; empty when a first byte can be read.
std::string OpenFileProblem(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    return SystemMessage(errno);
  }
  if (const int notRegular = NotRegularError(status); notRegular != 0) {
    return ChangeFailureReason(notRegular);
  }
  std::array<char, 1> byte{};
  if (read(fd, byte.data(), byte.size()) < 0) {
    return SystemMessage(errno);
  }
  return {};
}

}  // namespace

std::optional<FileStamp> StampOf(const std::string& path) {
  struct stat status {};
  if (FileSystem().Fstatat(AT_FDCWD, path.c_str(), &status, 0) != 0) {
    return std::nullopt;
  }
  return StampOf(status);
}

WholeFile ReadWholeFile(const std::string& path) {
  return ReadAt(AT_FDCWD, path.c_str(), 0, true, nullptr);
}

std::string FileReadProblem(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int error = errno;
    return error == ENOENT || error == ENOTDIR ? std::string() : SystemMessage(error);
  }
  std::string problem = OpenFileProblem(fd);
  close(fd);
  return problem;
}

bool ChangeWholeFile(const WriteLock& lock, const FileEdit& edit, std::optional<mode_t> newFileMode,
                     bool readsText) {
  if (!RemoveStaleTemporaries(lock.Folder(), lock.Name())) {
    return false;
  }
  for (int attempt = 0; attempt < kMostAttempts; ++attempt) {
    Keeping keeping;
    keeping.Access.emplace();
    // The name was found at the end of the links: should it have become a link since, it is
    // refused rather than followed out of the locked folder.
    const WholeFile file =
        ReadAt(lock.Folder(), lock.Name().c_str(), O_NOFOLLOW, readsText, &*keeping.Access);
    if (file.Status == WholeFile::Status::Unreadable) {
      errno = file.Error;
      return false;
    }
    if (file.Status == WholeFile::Status::Missing) {
      keeping = {std::nullopt, newFileMode};
    } else if (!MayReplace(lock.Folder(), lock.Name(), file)) {
      return false;
    }
    std::vector<std::string_view> pieces;
    if (!edit(file, pieces)) {
      return true;
    }
    const Published outcome = Publish(lock, file, pieces, keeping);
    if (outcome != Published::FileChanged) {
      return outcome == Published::Done;
    }
  }
  errno = EBUSY;
  return false;
}

bool ReplaceWholeFile(const std::string& path, std::span<const std::string_view> pieces,
                      std::optional<mode_t> newFileMode) {
  const WriteLock lock(path);
  if (!lock.Held()) {
    errno = lock.Error();
    return false;
  }
  return ChangeWholeFile(
      lock,
      [pieces](const WholeFile&, std::vector<std::string_view>& out) {
        out.assign(pieces.begin(), pieces.end());
        return true;
      },
      newFileMode, false);
}

std::string ChangeFailureReason(int error) {
  switch (error) {
    case EWOULDBLOCK:
      return "the catalogue is being changed by another program";
    case EINVAL:
      return "it is not a regular file";
    case EBUSY:
      return "another program kept replacing it meanwhile";
    default:
      return SystemMessage(error);
  }
}

}  // namespace calpero
