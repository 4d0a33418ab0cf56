#include "catalogue/write_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <cerrno>
#include <filesystem>
#include <optional>
#include <utility>

#include "catalogue/file_system.h"
#include "catalogue/whole_file.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;

std::function<void(bool)>& WaitNotice() {
  static std::function<void(bool)> notice;
  return notice;
}

void Notify(bool waiting) {
  if (WaitNotice()) {
    WaitNotice()(waiting);
  }
}

// Takes the exclusive lock on `fd`, waiting for it at most kLongestWait. Returns 0 when it is
// held, else the reason as an errno.
int TakeTurn(int fd) {
  if (FileSystem().flock(fd, LOCK_EX | LOCK_NB) == 0) {
    return 0;
  }
  if (errno != EWOULDBLOCK) {
    return errno;
  }
  Notify(true);
  const int error = FileSystem().timedLock(fd, WriteLock::kLongestWait) == 0 ? 0 : errno;
  Notify(false);
  return error;
}

}  // namespace

WriteLock::WriteLock(const std::string& path) {
  const std::optional<fs::path> target = FinalTarget(path);
  if (!target) {
    error_ = ELOOP;
    return;
  }
  const fs::path folder = target->parent_path().empty() ? fs::path(".") : target->parent_path();
  const int fd = FileSystem().open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC, 0);
  if (fd < 0) {
    error_ = errno;
    return;
  }
  error_ = TakeTurn(fd);
  if (error_ != 0) {
    FileSystem().close(fd);
    return;
  }
  folder_ = fd;
}

WriteLock::~WriteLock() {
  // Closing the folder's last descriptor drops the lock.
  if (folder_ >= 0) {
    FileSystem().close(folder_);
  }
}

void SetLockWaitNotice(std::function<void(bool waiting)> notice) {
  WaitNotice() = std::move(notice);
}

}  // namespace calpero
