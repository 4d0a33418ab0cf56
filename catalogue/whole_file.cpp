#include "catalogue/whole_file.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <filesystem>
#include <random>

#include "catalogue/file_system.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;

// More links than this in a row are taken for a loop.
constexpr int kMostLinksFollowed = 40;
// Attempts at a temporary name that no file has yet.
constexpr int kTemporaryNameAttempts = 100;
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

std::string RandomSuffix() {
  static constexpr std::string_view kLetters =
      "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
  std::random_device device;
  std::uniform_int_distribution<std::size_t> pick(0, kLetters.size() - 1);
  std::string suffix;
  for (int i = 0; i < 6; ++i) {
    suffix += kLetters[pick(device)];
  }
  return suffix;
}

// Creates a new temporary file next to `target`; returns its descriptor and fills `name`, or -1.
int CreateTemporary(const fs::path& target, mode_t mode, std::string& name) {
  const fs::path folder = target.parent_path();
  std::string stem(".");
  stem.append(target.filename().string()).append(".");
  for (int attempt = 0; attempt < kTemporaryNameAttempts; ++attempt) {
    name = (folder / (stem + RandomSuffix())).string();
    const int fd = FileSystem().open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd >= 0 || errno != EEXIST) {
      return fd;
    }
  }
  return -1;
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

// Writes, syncs and closes the temporary file `fd`; closes it whatever happens.
bool FillTemporary(int fd, std::string_view bytes, std::optional<mode_t> mode) {
  const bool filled = (!mode || FileSystem().fchmod(fd, *mode) == 0) && WriteAll(fd, bytes) &&
                      FileSystem().fsync(fd) == 0;
  const bool closed = FileSystem().close(fd) == 0;
  return filled && closed;
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
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
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
  const std::optional<fs::path> target = FinalTarget(path);
  std::optional<mode_t> mode;
  if (!target || !ModeForReplacement(*target, newFileMode, mode)) {
    return false;
  }
  // A temporary that will be given a mode starts private; otherwise the umask shapes 0666.
  std::string temporary;
  const int fd = CreateTemporary(*target, mode ? 0600 : 0666, temporary);
  if (fd < 0) {
    return false;
  }
  if (!FillTemporary(fd, bytes, mode) ||
      FileSystem().rename(temporary.c_str(), target->c_str()) != 0) {
    FileSystem().unlink(temporary.c_str());
    return false;
  }
  SyncFolder(target->parent_path().empty() ? fs::path(".") : target->parent_path());
  return true;
}

}  // namespace calpero
