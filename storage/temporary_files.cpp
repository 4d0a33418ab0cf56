#include "storage/temporary_files.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <random>
#include <string>
#include <vector>

#include "storage/file_system.h"

namespace calpero {
namespace {

constexpr std::string_view kMaker = "calpero-tmp-";
constexpr std::string_view kDigits = "0123456789";
constexpr std::string_view kSuffixLetters =
    "ABCDEFGHIJKLMNOPQRSTUVWXYZabcdefghijklmnopqrstuvwxyz0123456789";
constexpr std::size_t kSuffixLength = 8;
// A process id has at most this many digits.
constexpr std::size_t kLongestPid = 10;
// Attempts at a temporary name that no file has yet.
constexpr int kNameAttempts = 100;

std::string Stem(std::string_view fileName) {
  std::string stem(".");
  stem.append(fileName).append(".").append(kMaker);
  return stem;
}

// Whether `text` is one or more characters, all of them from `allowed`, and at most `longest`.
bool MadeOf(std::string_view text, std::string_view allowed, std::size_t longest) {
  return !text.empty() && text.size() <= longest &&
         text.find_first_not_of(allowed) == std::string_view::npos;
}

std::string RandomSuffix() {
  std::random_device device;
  std::uniform_int_distribution<std::size_t> pick(0, kSuffixLetters.size() - 1);
  std::string suffix;
  for (std::size_t i = 0; i < kSuffixLength; ++i) {
    suffix += kSuffixLetters[pick(device)];
  }
  return suffix;
}

// Whether a writer holds the file open as `fd` locked: 1 when it does, 0 when not, -1 (errno set)
// when the lock cannot be tried. A file system that cannot lock cannot say: then the caller, a
// writer alone, takes it for stale.
int HeldByAWriter(int fd) {
  if (FileSystem().LockNow(fd, F_RDLCK) == 0) {
    FileSystem().LockNow(fd, F_UNLCK);  // closing the descriptor drops it all the same
    return 0;
  }
  if (errno == EAGAIN || errno == EACCES) {
    return 1;
  }
  return CannotLock(errno) ? 0 : -1;
}

// Whether `error` says that a stale temporary may simply not be looked at or removed here, or is
// gone already; such a temporary is left, or nothing is left, and the change goes on.
bool NotOurs(int error) { return error == EACCES || error == EPERM || error == ENOENT; }

// Removes `name`, a temporary in `folder`, when no live writer holds it locked. False (errno set)
// when a step fails for another reason than NotOurs.
bool RemoveIfStale(int folder, const char* name) {
  const int fd = FileSystem().Openat(folder, name,
                                     O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC | O_NOCTTY, 0);
  if (fd < 0) {
    return NotOurs(errno) || errno == ELOOP;  // a link of that name is no temporary of ours
  }
  struct stat opened {};
  struct stat named {};
  const bool looked = FileSystem().Fstat(fd, &opened) == 0;
  // Anything but a regular file of that name is no temporary of ours; left as if held.
  const int held = looked && S_ISREG(opened.st_mode) ? HeldByAWriter(fd) : 1;
  bool fine = looked && held >= 0;
  // The name must still lead to the file that was looked at: its writer may have renamed it over
  // its target in the meantime, and then the name is gone or is another writer's new temporary.
  if (fine && held == 0) {
    if (FileSystem().Fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) != 0) {
      fine = NotOurs(errno);
    } else if (named.st_ino == opened.st_ino && named.st_dev == opened.st_dev) {
      fine = FileSystem().Unlinkat(folder, name) == 0 || NotOurs(errno);
    }
  }
  const int error = errno;
  if (FileSystem().Close(fd) != 0 && errno != EINTR && fine) {
    return false;  // only looked at, but something went wrong in the folder
  }
  errno = error;
  return fine;
}

}  // namespace

bool IsTemporaryName(std::string_view entryName, std::string_view fileName) {
  const std::string stem = Stem(fileName);
  if (entryName.size() <= stem.size() + kSuffixLength + 1 || !entryName.starts_with(stem)) {
    return false;
  }
  const std::string_view pid =
      entryName.substr(stem.size(), entryName.size() - stem.size() - kSuffixLength - 1);
  const std::string_view dash = entryName.substr(entryName.size() - kSuffixLength - 1, 1);
  const std::string_view suffix = entryName.substr(entryName.size() - kSuffixLength);
  return MadeOf(pid, kDigits, kLongestPid) && dash == "-" &&
         MadeOf(suffix, kSuffixLetters, kSuffixLength);
}

int CreateTemporary(int folder, std::string_view fileName, mode_t mode, std::string& name) {
  const std::string stem = Stem(fileName) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = stem + RandomSuffix();
    const int fd = FileSystem().Openat(folder, name.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) {
      return -1;
    }
    if (fd < 0) {
      continue;
    }
    // Never waits: nobody else has a reason to hold a file this new. A writer alone on a file
    // system without locks may have taken it for stale before it was locked; then it has no name
    // any more and a fresh one is made. A temporary that cannot be looked at goes at once.
    const bool locked = FileSystem().LockNow(fd, F_WRLCK) == 0 || CannotLock(errno);
    struct stat made {};
    if (!locked || FileSystem().Fstat(fd, &made) != 0) {
      const int error = errno;
      FileSystem().Unlinkat(folder, name.c_str());
      FileSystem().Close(fd);
      errno = error;
      return -1;
    }
    if (made.st_nlink > 0) {
      return fd;
    }
    FileSystem().Close(fd);
  }
  errno = EEXIST;
  return -1;
}

bool RemoveStaleTemporaries(int folder, std::string_view fileName) {
  const int listing = FileSystem().Openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (listing < 0) {
    return NotOurs(errno);  // a folder that may be written and searched but not read
  }
  std::vector<std::string> names;
  const bool listed = FileSystem().ListFolder(listing, names) == 0;
  const int error = errno;
  // Only read, so nothing is lost; but a failure, as one of the listing, says that something
  // went wrong in the folder. EINTR closes the descriptor all the same.
  const bool closed = FileSystem().Close(listing) == 0 || errno == EINTR;
  if (!listed || !closed) {
    errno = listed ? errno : error;
    return false;
  }
  return std::ranges::all_of(names, [folder, fileName](const std::string& name) {
    return !IsTemporaryName(name, fileName) || RemoveIfStale(folder, name.c_str());
  });
}

}  // namespace calpero
