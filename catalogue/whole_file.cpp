#include "catalogue/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>

#include "catalogue/file_system.h"
#include "catalogue/temporary_files.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;

// More links than this in a row are taken for a loop.
constexpr int kMostLinksFollowed = 40;
constexpr mode_t kPermissionBits = 07777;
constexpr mode_t kAnyWriteBit = 0222;

// The file that `path` finally leads to, following symbolic links (it may not exist yet), or
// nothing when a link cannot be read or the links loop.
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

bool WriteAll(int fd, std::string_view bytes) {
  while (!bytes.empty()) {
    const ssize_t written = FileSystem().write(fd, bytes.data(), bytes.size());
    if (written < 0 && errno == EINTR) {
      continue;
    }
    if (written <= 0) {
      return false;
    }
    bytes.remove_prefix(static_cast<std::size_t>(written));
  }
  return true;
}

// Gives the temporary file `fd` its mode and its bytes and syncs it. It stays open, and so locked,
// until it has been renamed.
bool FillTemporary(int fd, std::span<const std::string_view> pieces, std::optional<mode_t> mode) {
  if (mode && FileSystem().fchmod(fd, *mode) != 0) {
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

// The permission bits that the replacement takes, or nothing for "0666 less the umask". False
// when the existing target must not be replaced.
bool ModeForReplacement(const fs::path& target, std::optional<mode_t> newFileMode,
                        std::optional<mode_t>& mode) {
  struct stat status {};
  if (::stat(target.c_str(), &status) != 0) {
    mode = newFileMode;
    return errno == ENOENT;
  }
  if (!S_ISREG(status.st_mode) || (status.st_mode & kAnyWriteBit) == 0) {
    return false;
  }
  if (::access(target.c_str(), W_OK) != 0) {
    return false;
  }
  mode = status.st_mode & kPermissionBits;
  return true;
}

}  // namespace

WholeFile ReadWholeFile(const std::string& path) {
  WholeFile file;
  // Without O_NONBLOCK, opening a FIFO would wait for a writer that may never come. The open goes
  // through FileSystem() so that a test can refuse it as the system refuses an unreadable file.
  const int fd = FileSystem().open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC, 0);
  if (fd < 0) {
    file.status = errno == ENOENT || errno == ENOTDIR ? WholeFile::Status::kMissing
                                                      : WholeFile::Status::kUnreadable;
    return file;
  }
  struct stat status {};
  const bool regular = ::fstat(fd, &status) == 0 && S_ISREG(status.st_mode);
  if (regular) {
    file.mode = status.st_mode & kPermissionBits;
    file.bytes.resize(static_cast<std::size_t>(status.st_size));
  }
  const bool complete = regular && ReadAll(fd, file.bytes);
  ::close(fd);
  file.status = complete ? WholeFile::Status::kRead : WholeFile::Status::kUnreadable;
  if (!complete) {
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
  std::optional<mode_t> mode;
  if (!target || !ModeForReplacement(*target, newFileMode, mode)) {
    return false;
  }
  // A temporary that will be given a mode starts private; otherwise the umask shapes 0666.
  std::string temporary;
  const int fd = CreateLockedTemporary(*target, mode ? 0600 : 0666, temporary);
  if (fd < 0) {
    return false;
  }
  if (!FillTemporary(fd, pieces, mode) ||
      FileSystem().rename(temporary.c_str(), target->c_str()) != 0) {
    FileSystem().unlink(temporary.c_str());
    FileSystem().close(fd);
    return false;
  }
  // The data was synced before the rename, so closing can no longer lose any of it.
  FileSystem().close(fd);
  SyncFolder(target->parent_path().empty() ? fs::path(".") : target->parent_path());
  RemoveStaleTemporaries(*target);
  return true;
}

}  // namespace calpero
