#include "storage/write_lock.h"

#include <fcntl.h>
#include <pwd.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <string_view>
#include <utility>
#include <vector>

#include "storage/file_access.h"
#include "storage/file_system.h"
#include "storage/whole_file.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;

// More links than this in a row are taken for a loop.
constexpr int kMostLinksFollowed = 40;

// Room for a link's target at first.
constexpr std::size_t kLinkRoom = 256;

// The file that `path` finally leads to, following symbolic links (it may not exist yet), or
// nothing, with errno, when a link cannot be looked at or read (that call's errno) or the links
// loop (ELOOP). Goes through FileSystem().
std::optional<fs::path> FinalTarget(const fs::path& path) {
  fs::path target = path;
  for (int hops = 0; hops < kMostLinksFollowed; ++hops) {
    struct stat status {};
    if (FileSystem().Fstatat(AT_FDCWD, target.c_str(), &status, AT_SYMLINK_NOFOLLOW) != 0) {
      if (errno == ENOENT || errno == ENOTDIR) {
        return target;  // not there (yet): the change finds out what is missing
      }
      return std::nullopt;
    }
    if (!S_ISLNK(status.st_mode)) {
      return target;
    }
    std::string link(kLinkRoom, '\0');
    for (;;) {
      const ssize_t length =
          FileSystem().Readlinkat(AT_FDCWD, target.c_str(), link.data(), link.size());
      if (length < 0) {
        return std::nullopt;
      }
      if (static_cast<std::size_t>(length) < link.size()) {
        link.resize(static_cast<std::size_t>(length));
        break;
      }
      link.resize(link.size() * 2);  // perhaps cut short: read again with more room
    }
    const fs::path next(link);
    target = next.is_absolute() ? next : target.parent_path() / next;
  }
  errno = ELOOP;
  return std::nullopt;
}

constexpr mode_t kPermissionBits = 07777;
// Room for the user database's entry of an owner.
constexpr std::size_t kOwnerNameRoom = 4096;

std::function<void(bool)>& WaitNotice() {
  static std::function<void(bool)> notice;
  return notice;
}

std::function<void(const std::string&)>& NoLockNotice() {
  static std::function<void(const std::string&)> notice;
  return notice;
}

void NotifyWait(bool waiting) {
  if (WaitNotice()) {
    WaitNotice()(waiting);
  }
}

// Read and write for each class of user (owner, group, others) that may write `mode`.
mode_t ReadWriteForWriters(mode_t mode) {
  mode_t given = 0;
  constexpr std::array<std::pair<mode_t, mode_t>, 3> kClasses = {
      {{S_IWUSR, S_IRUSR | S_IWUSR}, {S_IWGRP, S_IRGRP | S_IWGRP}, {S_IWOTH, S_IROTH | S_IWOTH}}};
  for (const auto& [write, readWrite] : kClasses) {
    if ((mode & write) != 0) {
      given |= readWrite;
    }
  }
  return given;
}

// What the lock file is given: read and write for the classes that may change the file (write it
// and replace it in the folder) and for its maker; the file's group and ACL, or the folder's group
// while the file does not exist (a default ACL of the folder is inherited by itself). False (errno
// set) when the folder or the file cannot be looked at; a file that this process may not open
// gives the folder's rights alone.
bool LockFileAccess(int folder, const std::string& name, FileAccess& access) {
  struct stat folderStatus {};
  if (FileSystem().Fstat(folder, &folderStatus) != 0) {
    return false;
  }
  access.Mode = ReadWriteForWriters(folderStatus.st_mode);
  access.Group = folderStatus.st_gid;
  access.Acl.clear();
  const int fd = FileSystem().Openat(folder, name.c_str(),
                                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0);
  if (fd < 0 && errno != ENOENT && errno != EACCES) {
    return false;
  }
  if (fd >= 0) {
    FileAccess file;
    const bool read = ReadAccess(fd, file);
    const int error = errno;
    const bool closed = FileSystem().Close(fd) == 0 || errno == EINTR;
    if (!read || !closed) {
      errno = read ? errno : error;
      return false;
    }
    access.Mode &= ReadWriteForWriters(file.Mode);
    access.Group = file.Group;
    access.Acl = file.Acl;
  }
  access.Mode |= S_IRUSR | S_IWUSR;
  access.Owner = ::geteuid();
  return true;
}

// Gives the lock file open as `fd` (its state `status`) what the writers of the file need, where
// this process owns it and it gives less: a lock file made by a writer that was killed or failed
// before it gave the lock file its access, or made under a narrow umask, would otherwise keep the
// other writers out for good. Rights it gives beyond that are left. False (errno set) on failure.
bool RepairLockFileAccess(int folder, const std::string& name, int fd, const struct stat& status) {
  if (status.st_uid != ::geteuid()) {
    return true;  // only its owner may change it; used as it is
  }
  FileAccess wanted;
  FileAccess has;
  if (!LockFileAccess(folder, name, wanted) || !ReadAccess(fd, has)) {
    return false;
  }
  const bool narrower = (wanted.Mode & ~has.Mode) != 0 || wanted.Group != has.Group ||
                        (!wanted.Acl.empty() && wanted.Acl != has.Acl);
  if (!narrower) {
    return true;
  }
  wanted.Mode |= has.Mode;
  return GiveAccess(fd, wanted);
}

// Opens the lock file of `name` in `folder` for writing, making it when it does not exist yet.
// Returns its descriptor, or -1 with errno and, where the lock file itself is in the way, what is
// wrong with it in `problem`.
int OpenLockFile(int folder, const std::string& name, LockFileProblem& problem) {
  const std::string lockName = LockFileName(name);
  // Never follows a link, never waits for a FIFO's reader, never takes a terminal.
  constexpr int kFlags = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY;
  for (int attempt = 0; attempt < 2; ++attempt) {
    int fd = FileSystem().Openat(folder, lockName.c_str(), kFlags, 0);
    if (fd >= 0) {
      struct stat status {};
      if (FileSystem().Fstat(fd, &status) == 0) {
        if (!S_ISREG(status.st_mode)) {
          problem = {LockFileProblem::Kind::NotARegularFile, status.st_mode, status.st_uid};
          errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
        } else if (RepairLockFileAccess(folder, name, fd, status)) {
          return fd;
        }
      }
      const int error = errno;
      FileSystem().Close(fd);
      errno = error;
      return -1;
    }
    if (errno != ENOENT) {
      // What is in the way, when it can be told: a link, a FIFO, a folder or another special
      // file (ELOOP, ENXIO, EISDIR), or a file that this process may not write.
      const int error = errno;
      struct stat status {};
      if (FileSystem().Fstatat(folder, lockName.c_str(), &status, AT_SYMLINK_NOFOLLOW) == 0) {
        if (!S_ISREG(status.st_mode)) {
          problem = {LockFileProblem::Kind::NotARegularFile, status.st_mode, status.st_uid};
        } else if (error == EACCES || error == EPERM) {
          problem = {LockFileProblem::Kind::NotWritable, status.st_mode, status.st_uid};
        }
      }
      errno = error;
      return -1;
    }
    FileAccess access;
    if (!LockFileAccess(folder, name, access)) {
      return -1;
    }
    fd = FileSystem().Openat(folder, lockName.c_str(), kFlags | O_CREAT | O_EXCL, access.Mode);
    if (fd >= 0 && GiveAccess(fd, access)) {
      return fd;
    }
    if (fd >= 0) {
      // Left in place all the same: another writer may have opened it already. Its access is
      // given again by the next writer of this owner that opens it.
      const int error = errno;
      FileSystem().Close(fd);
      errno = error;
      return -1;
    }
    if (errno != EEXIST) {
      return -1;
    }
    // Made by another writer between the two opens: opened as it is.
  }
  return -1;
}

// The name of the owner `owner`, or its number when it has none.
std::string OwnerName(uid_t owner) {
  std::vector<char> buffer(kOwnerNameRoom);
  passwd entry{};
  passwd* found = nullptr;
  if (::getpwuid_r(owner, &entry, buffer.data(), buffer.size(), &found) == 0 && found != nullptr) {
    return found->pw_name;
  }
  return std::to_string(owner);
}

// What kind of file `mode` is, in a few words.
std::string_view FileKind(mode_t mode) {
  switch (mode & S_IFMT) {
    case S_IFLNK:
      return "a symbolic link";
    case S_IFIFO:
      return "a FIFO";
    case S_IFDIR:
      return "a folder";
    case S_IFSOCK:
      return "a socket";
    default:
      return "a device";
  }
}

// The permission bits `mode` as four octal digits, as chmod takes them.
std::string OctalMode(mode_t mode) {
  std::string digits;
  for (int shift = 9; shift >= 0; shift -= 3) {
    digits += static_cast<char>('0' + ((mode >> shift) & 07));
  }
  return digits;
}

// Takes the exclusive lock on `fd`, waiting for it at most kLongestWait. Returns 0 when it is
// held, else the reason as an errno.
int TakeTurn(int fd) {
  if (FileSystem().LockNow(fd, F_WRLCK) == 0) {
    return 0;
  }
  if (errno != EAGAIN && errno != EACCES) {
    return errno;
  }
  NotifyWait(true);
  const int error = FileSystem().TimedLock(fd, WriteLock::kLongestWait) == 0 ? 0 : errno;
  NotifyWait(false);
  return error;
}

}  // namespace

std::string LockFileName(std::string_view fileName) {
  return std::string(".").append(fileName).append(".calpero-lock");
}

WriteLock::WriteLock(const std::string& path) {
  const std::optional<fs::path> target = FinalTarget(path);
  if (!target) {
    error_ = errno;
    return;
  }
  followedLink_ = *target != fs::path(path);
  const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
  // O_PATH: a folder that may be written and searched but not read (mode 0333) can still hold
  // the file.
  folder_ = FileSystem().Openat(AT_FDCWD, folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC, 0);
  if (folder_ < 0) {
    error_ = errno;
    return;
  }
  name_ = target->filename().string();
  lockFilePath_ = folder / LockFileName(name_);
  const int fd = OpenLockFile(folder_, name_, problem_);
  error_ = fd < 0 ? errno : TakeTurn(fd);
  if (error_ != 0 && fd >= 0 && CannotLock(error_)) {
    alone_ = true;
    error_ = 0;
    if (NoLockNotice()) {
      NoLockNotice()(path);
    }
  }
  if (error_ != 0) {
    if (fd >= 0) {
      FileSystem().Close(fd);
    }
    FileSystem().Close(folder_);
    folder_ = -1;
    return;
  }
  lockFile_ = fd;
}

WriteLock::~WriteLock() {
  // Closing the lock file's only descriptor drops the lock.
  if (lockFile_ >= 0) {
    FileSystem().Close(lockFile_);
    FileSystem().Close(folder_);
  }
}

std::string WriteLock::Reason(const std::string& shownPath) const {
  if (problem_.Kind == LockFileProblem::Kind::None) {
    return ChangeFailureReason(error_);
  }
  // Named as the user named the file, unless a link led elsewhere.
  const fs::path shown =
      followedLink_ ? lockFilePath_ : fs::path(shownPath).parent_path() / LockFileName(name_);
  std::string reason = "the lock file " + shown.string();
  if (problem_.Kind == LockFileProblem::Kind::NotARegularFile) {
    return reason.append(" is ")
        .append(FileKind(problem_.Mode))
        .append(", not a regular file: remove it");
  }
  return reason.append(" is not writable by you (mode ")
      .append(OctalMode(problem_.Mode & kPermissionBits))
      .append(", owner ")
      .append(OwnerName(problem_.Owner))
      .append("): ask its owner to remove it");
}

void SetLockWaitNotice(std::function<void(bool waiting)> notice) {
  WaitNotice() = std::move(notice);
}

void SetNoLockNotice(std::function<void(const std::string& path)> notice) {
  NoLockNotice() = std::move(notice);
}

}  // namespace calpero
