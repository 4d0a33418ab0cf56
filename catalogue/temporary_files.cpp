#include "catalogue/temporary_files.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>
#include <vector>

#include "catalogue/file_system.h"

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

// Whether the file open as `fd` still has a name in its folder.
bool StillLinked(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && status.st_nlink > 0;
}

// Whether a writer holds the file open as `fd` locked. A file system that cannot lock cannot say:
// then the caller, a writer alone, takes it for stale.
bool HeldByAWriter(int fd) {
  if (LockWholeFileNow(fd, F_RDLCK) == 0) {
    LockWholeFileNow(fd, F_UNLCK);
    return false;
  }
  return errno == EAGAIN || errno == EACCES;
}

// Removes `name`, a temporary in `folder`, when no live writer holds it locked.
void RemoveIfStale(int folder, const char* name) {
  const int fd = ::openat(folder, name, O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  struct stat opened {};
  struct stat named {};
  // The name must still lead to the file that was looked at: its writer may have renamed it over
  // its target in the meantime, and then the name is gone or is another writer's new temporary.
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && !HeldByAWriter(fd) &&
      ::fstatat(folder, name, &named, AT_SYMLINK_NOFOLLOW) == 0 && named.st_ino == opened.st_ino &&
      named.st_dev == opened.st_dev) {
    ::unlinkat(folder, name, 0);
  }
  ::close(fd);
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
    const int fd = FileSystem().openat(folder, name.c_str(),
                                       O_WRONLY | O_CREAT | O_EXCL | O_NOFOLLOW | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) {
      return -1;
    }
    if (fd < 0) {
      continue;
    }
    // Never waits: nobody else has a reason to hold a file this new. A writer alone on a file
    // system without locks may have taken it for stale before it was locked; then it has no name
    // any more and a fresh one is made.
    LockWholeFileNow(fd, F_WRLCK);
    if (StillLinked(fd)) {
      return fd;
    }
    FileSystem().close(fd);
  }
  errno = EEXIST;
  return -1;
}

void RemoveStaleTemporaries(int folder, std::string_view fileName) {
  const int listing = ::openat(folder, ".", O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (listing < 0) {
    return;
  }
  DIR* entries = ::fdopendir(listing);
  if (entries == nullptr) {
    ::close(listing);
    return;
  }
  std::vector<std::string> stale;
  while (const dirent* entry = ::readdir(entries)) {
    if (IsTemporaryName(entry->d_name, fileName)) {
      stale.emplace_back(entry->d_name);
    }
  }
  ::closedir(entries);
  for (const std::string& name : stale) {
    RemoveIfStale(folder, name.c_str());
  }
}

}  // namespace calpero
