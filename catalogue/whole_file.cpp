#include "catalogue/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <utility>

#include "catalogue/file_system.h"
#include "catalogue/temporary_files.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;

// More links than this in a row are taken for a loop.
constexpr int kMostLinksFollowed = 40;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAnyWriteBit = 0222;

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = FileSystem().write(fd, bytes.data(), bytes.size());
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

// What a replacement takes over from the file it replaces, or what a new file is given.
struct Keeping {
  std::optional<mode_t> mode;                    // nothing for "0666 less the umask"
  std::optional<std::pair<uid_t, gid_t>> owner;  // owner and group, when a file is replaced
};

// Gives the temporary `fd` the owner and group of the file it replaces as far as this process may:
// the group where it belongs to that group, the owner only where it is privileged. What it may not
// set stays as the system made it; any other failure is one (errno set).
bool KeepOwnership(int fd, const std::pair<uid_t, gid_t>& kept) {
  constexpr auto kUnchangedOwner = static_cast<uid_t>(-1);
  constexpr auto kUnchangedGroup = static_cast<gid_t>(-1);
  struct stat made {};
  if (::fstat(fd, &made) != 0) {
    return false;
  }
  const uid_t owner = made.st_uid == kept.first ? kUnchangedOwner : kept.first;
  const gid_t group = made.st_gid == kept.second ? kUnchangedGroup : kept.second;
  if ((owner == kUnchangedOwner && group == kUnchangedGroup) ||
      FileSystem().fchown(fd, owner, group) == 0) {
    return true;
  }
  if (errno == EPERM && owner != kUnchangedOwner && group != kUnchangedGroup &&
      FileSystem().fchown(fd, kUnchangedOwner, group) == 0) {
    return true;
  }
  return errno == EPERM;
}

// Gives the temporary file `fd` its owner, mode and bytes and syncs it. The mode comes after the
// owner, whose change would clear a set-id bit. It stays open, and so locked, until renamed.
bool FillTemporary(int fd, std::span<const std::string_view> pieces, const Keeping& keeping) {
  if (keeping.owner && !KeepOwnership(fd, *keeping.owner)) {
    return false;
  }
  if (keeping.mode && FileSystem().fchmod(fd, *keeping.mode) != 0) {
    return false;
  }
  for (const std::string_view piece : pieces) {
    if (!WriteAll(fd, piece)) {
      return false;
    }
  }
  return FileSystem().fsync(fd) == 0;
}

// Fills `bytes` from `fd`, shortening it when the file ends sooner; false on a read error.
bool ReadAll(int fd, std::string& bytes) {
  std::size_t filled = 0;
  while (filled < bytes.size()) {
    const ssize_t got = ::read(fd, bytes.data() + filled, bytes.size() - filled);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got < 0) {
      return false;
    }
    if (got == 0) {
      break;
    }
    filled += static_cast<std::size_t>(got);
  }
  bytes.resize(filled);
  return true;
}

// Makes the folder's entries (the rename) durable. Best effort: the rename has happened already.
void SyncFolder(const fs::path& folder) {
  const int fd = FileSystem().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) {
    return;
  }
  FileSystem().fsync(fd);
  FileSystem().close(fd);
}

// What the replacement keeps of the existing target, or gives a new one. False (errno set) when
// the existing target must not be replaced.
bool WhatToKeep(const fs::path& target, std::optional<mode_t> newFileMode, Keeping& keeping) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) {
    keeping.mode = newFileMode;
    return errno == ENOENT;
  }
  if (!S_ISREG(status.st_mode)) {
    errno = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
    return false;
  }
  if ((status.st_mode & kAnyWriteBit) == 0) {
    errno = EACCES;
    return false;
  }
  if (::access(target.c_str(), W_OK) != 0) {
    return false;
  }
  keeping.mode = status.st_mode & kPermissionBits;
  keeping.owner.emplace(status.st_uid, status.st_gid);
  return true;
}

}  // namespace

std::optional<fs::path> FinalTarget(const fs::path& path) {
  fs::path target = path;
  for (int hops = 0; hops < kMostLinksFollowed; ++hops) {
    std::error_code error;
    if (!fs::is_symlink(fs::symlink_status(target, error))) {
      return target;
    }
    const fs::path link = fs::read_symlink(target, error);
    if (error) {
      return std::nullopt;
    }
    target = link.is_absolute() ? link : target.parent_path() / link;
  }
  return std::nullopt;
}

WholeFile ReadWholeFile(const std::string& path) {
  WholeFile file;
  // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come. The open goes
  // through FileSystem() so that a test can refuse it as the system refuses an unreadable file.
  const int fd = FileSystem().open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
  if (fd < 0) {
    file.error = errno;
    file.status = errno == ENOENT || errno == ENOTDIR ? WholeFile::Status::kMissing
                                                      : WholeFile::Status::kUnreadable;
    return file;
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    file.error = errno;
  } else if (!S_ISREG(status.st_mode)) {
    file.error = S_ISDIR(status.st_mode) ? EISDIR : EINVAL;
  } else {
    file.mode = status.st_mode & kPermissionBits;
    file.bytes.resize(static_cast<std::size_t>(status.st_size));
    file.error = ReadAll(fd, file.bytes) ? 0 : errno;
  }
  ::close(fd);
  file.status = file.error == 0 ? WholeFile::Status::kRead : WholeFile::Status::kUnreadable;
  if (file.error != 0) {
    file.bytes.clear();
  }
  return file;
}

bool ReplaceWholeFile(const std::string& path, std::string_view bytes,
                      std::optional<mode_t> newFileMode) {
  return ReplaceWholeFile(path, std::span(&bytes, 1), newFileMode);
}

bool ReplaceWholeFile(const std::string& path, std::span<const std::string_view> pieces,
                      std::optional<mode_t> newFileMode) {
  const std::optional<fs::path> target = FinalTarget(path);
  if (!target) {
    errno = ELOOP;
    return false;
  }
  Keeping keeping;
  if (!WhatToKeep(*target, newFileMode, keeping)) {
    return false;
  }
  // A temporary that will be given a mode starts private; otherwise the umask shapes 0666.
  std::string temporary;
  const int fd = CreateLockedTemporary(*target, keeping.mode ? 0600 : 0666, temporary);
  if (fd < 0) {
    return false;
  }
  if (!FillTemporary(fd, pieces, keeping) ||
      FileSystem().rename(temporary.c_str(), target->c_str()) != 0) {
    const int error = errno;
    FileSystem().unlink(temporary.c_str());
    FileSystem().close(fd);
    errno = error;
    return false;
  }
  // The data was synced before the rename, so closing can no longer lose any of it.
  FileSystem().close(fd);
  SyncFolder(target->parent_path().empty() ? fs::path(".") : target->parent_path());
  RemoveStaleTemporaries(*target);
  return true;
}

}  // namespace calpero
