#include "catalogue/write_lock.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <filesystem>
#include <optional>
#include <utility>

#include "catalogue/file_access.h"
#include "catalogue/file_system.h"
#include "catalogue/whole_file.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;

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

// Whether `error`, from a lock, says that the file system cannot lock at all (EINVAL: a kernel
// without open-file-description locks).
bool CannotLock(int error) {
  return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
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
// while the file does not exist (a default ACL of the folder is inherited by itself).
FileAccess LockFileAccess(int folder, const std::string& name) {
  FileAccess access;
  struct stat folderStatus {};
  const bool folderKnown = ::fstat(folder, &folderStatus) == 0;
  access.mode = folderKnown ? ReadWriteForWriters(folderStatus.st_mode) : 0;
  access.group = folderStatus.st_gid;
  // Only a look: a file that cannot be opened gives the folder's rights alone.
  const int fd = ::openat(folder, name.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  FileAccess file;
  if (fd >= 0 && ReadAccess(fd, file)) {
    access.mode &= ReadWriteForWriters(file.mode);
    access.group = file.group;
    access.acl = file.acl;
  }
  if (fd >= 0) {
    ::close(fd);
  }
  access.mode |= S_IRUSR | S_IWUSR;
  access.owner = ::geteuid();
  return access;
}

// Opens the lock file of `name` in `folder` for writing, making it when it does not exist yet.
// Returns its descriptor, or -1 with errno.
int OpenLockFile(int folder, const std::string& name) {
  const std::string lockName = LockFileName(name);
  constexpr int kFlags = O_WRONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC;
  for (int attempt = 0; attempt < 2; ++attempt) {
    int fd = FileSystem().openat(folder, lockName.c_str(), kFlags, 0);
    if (fd >= 0) {
      struct stat status {};
      if (::fstat(fd, &status) == 0 && S_ISREG(status.st_mode)) {
        return fd;
      }
      FileSystem().close(fd);
      errno = EINVAL;
      return -1;
    }
    if (errno != ENOENT) {
      return -1;
    }
    const FileAccess access = LockFileAccess(folder, name);
    fd = FileSystem().openat(folder, lockName.c_str(), kFlags | O_CREAT | O_EXCL, access.mode);
    if (fd >= 0 && GiveAccess(fd, access)) {
      return fd;
    }
    if (fd >= 0) {
      // Left in place all the same: another writer may have opened it already. It excludes every
      // writer with its maker's rights alone.
      const int error = errno;
      FileSystem().close(fd);
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

// Takes the exclusive lock on `fd`, waiting for it at most kLongestWait. Returns 0 when it is
// held, else the reason as an errno.
int TakeTurn(int fd) {
  if (FileSystem().lockNow(fd, F_WRLCK) == 0) {
    return 0;
  }
  if (errno != EAGAIN && errno != EACCES) {
    return errno;
  }
  NotifyWait(true);
  const int error = FileSystem().timedLock(fd, WriteLock::kLongestWait) == 0 ? 0 : errno;
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
    error_ = ELOOP;
    return;
  }
  const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
  // O_PATH: a folder that may be written and searched but not read (mode 0333) can still hold
  // the catalogue.
  folder_ = FileSystem().openat(AT_FDCWD, folder.c_str(), O_PATH | O_DIRECTORY | O_CLOEXEC, 0);
  if (folder_ < 0) {
    error_ = errno;
    return;
  }
  name_ = target->filename().string();
  const int fd = OpenLockFile(folder_, name_);
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
      FileSystem().close(fd);
    }
    FileSystem().close(folder_);
    folder_ = -1;
    return;
  }
  lockFile_ = fd;
}

WriteLock::~WriteLock() {
  // Closing the lock file's only descriptor drops the lock.
  if (lockFile_ >= 0) {
    FileSystem().close(lockFile_);
    FileSystem().close(folder_);
  }
}

void SetLockWaitNotice(std::function<void(bool waiting)> notice) {
  WaitNotice() = std::move(notice);
}

void SetNoLockNotice(std::function<void(const std::string& path)> notice) {
  NoLockNotice() = std::move(notice);
}

}  // namespace calpero
