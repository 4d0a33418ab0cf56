#include "catalogue/write_lock.h"

#include <fcntl.h>
#include <sys/file.h>

#include <algorithm>
#include <cerrno>
#include <cstdint>
#include <filesystem>
#include <optional>
#include <utility>

#include "catalogue/file_system.h"
#include "catalogue/whole_file.h"

namespace calpero {
namespace {

namespace fs = std::filesystem;
using Microseconds = std::chrono::microseconds;

// The pauses between tries grow from the first to the longest: a short change of another writer
// is waited for briefly, a long one is not asked about a thousand times.
constexpr useconds_t kFirstPause = 1000;
constexpr useconds_t kLongestPause = 16000;

std::function<void(bool)>& WaitNotice() {
  static std::function<void(bool)> notice;
  return notice;
}

void Notify(bool waiting) {
  if (WaitNotice()) {
    WaitNotice()(waiting);
  }
}

// Tries for the exclusive lock on `fd` until it is free or the pauses add up to kLongestWait.
// Returns 0 when it is held, else the reason as an errno.
int TakeTurn(int fd) {
  const auto longestWait =
      static_cast<std::uint64_t>(Microseconds(WriteLock::kLongestWait).count());
  std::uint64_t waited = 0;
  useconds_t pause = kFirstPause;
  bool waiting = false;
  int error = 0;
  for (;;) {
    if (FileSystem().flock(fd, LOCK_EX | LOCK_NB) == 0) {
      error = 0;
      break;
    }
    error = errno;
    if (error == EINTR) {
      continue;
    }
    if (error != EWOULDBLOCK || waited >= longestWait) {
      break;
    }
    if (!waiting) {
      waiting = true;
      Notify(true);
    }
    FileSystem().usleep(pause);
    waited += pause;
    pause = std::min(pause * 2, kLongestPause);
  }
  if (waiting) {
    Notify(false);
  }
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
