#include "catalogue/temporary_files.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <random>
#include <string>

#include "catalogue/file_system.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;

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

// Waits for the exclusive lock on `fd`; false where the file system has no locks.
bool Lock(int fd) {
  int result = 0;
  do {
    result = ::flock(fd, LOCK_EX);
  } while (result != 0 && errno == EINTR);
  return result == 0;
}

// Whether the file open as `fd` still has a name in its folder.
bool StillLinked(int fd) {
  struct stat status {};
  return ::fstat(fd, &status) == 0 && status.st_nlink > 0;
}

// Removes `path`, a temporary, when no live writer holds it locked.
void RemoveIfStale(const fs::path& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_NOFOLLOW | O_NONBLOCK | O_CLOEXEC);
  if (fd < 0) {
    return;
  }
  struct stat opened {};
  struct stat named {};
  // The name must still lead to the file that was locked: its writer may have renamed it over its
  // target in the meantime, and then the name is gone or is another writer's new temporary.
  if (::fstat(fd, &opened) == 0 && S_ISREG(opened.st_mode) && ::flock(fd, LOCK_EX | LOCK_NB) == 0 &&
      ::lstat(path.c_str(), &named) == 0 && named.st_ino == opened.st_ino &&
      named.st_dev == opened.st_dev) {
    FileSystem().unlink(path.c_str());
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

int CreateLockedTemporary(const fs::path& target, mode_t mode, std::string& name) {
  const std::string stem = Stem(target.filename().string()) + std::to_string(::getpid()) + "-";
  for (int attempt = 0; attempt < kNameAttempts; ++attempt) {
    name = (target.parent_path() / (stem + RandomSuffix())).string();
    const int fd = FileSystem().open(name.c_str(), O_WRONLY | O_CREAT | O_EXCL | O_CLOEXEC, mode);
    if (fd < 0 && errno != EEXIST) {
      return -1;
    }
    if (fd < 0) {
      continue;
    }
    // Another writer's cleanup may have taken the new file for a stale one before it was locked;
    // then it has no name any more and a fresh one is made. Without locks (some network file
    // systems) the write goes on unprotected: a cleanup may then make it fail, never lose data.
    if (!Lock(fd) || StillLinked(fd)) {
      return fd;
    }
    FileSystem().close(fd);
  }
  errno = EEXIST;
  return -1;
}

void RemoveStaleTemporaries(const fs::path& target) {
  const fs::path folder = target.parent_path().empty() ? fs::path(".") : target.parent_path();
  const std::string fileName = target.filename().string();
  std::error_code error;
  for (fs::directory_iterator entries(folder, error); !error && entries != fs::directory_iterator();
       entries.increment(error)) {
    if (IsTemporaryName(entries->path().filename().string(), fileName)) {
      RemoveIfStale(entries->path());
    }
  }
}

}  // namespace calpero
