#include "catalogue/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <condition_variable>
#include <cstdio>
#include <memory>
#include <mutex>
#include <system_error>
#include <thread>
#include <utility>

namespace calpero {
namespace {

// Waits in a thread of its own, so that the wait can be given up: the kernel queues the writers
// that wait in flock, whereas one that polls loses again and again to a writer that releases the
// lock and takes it anew at once. The lock belongs to the open folder, not to the thread, and
// lasts while any descriptor of it is open: the thread closes its own as soon as it has the lock,
// so after a wait given up the lock goes when the caller closes the folder.
int TimedExclusiveLock(int fd, std::chrono::milliseconds timeout) {
  struct Wait {
    std::mutex mutex;
    std::condition_variable ended;
    bool done = false;
    int error = 0;
  };
  const int own = ::fcntl(fd, F_DUPFD_CLOEXEC, 0);
  if (own < 0) {
    return -1;
  }
  const auto wait = std::make_shared<Wait>();
  try {
    std::thread([wait, own] {
      int result = 0;
      do {
        result = ::flock(own, LOCK_EX);
      } while (result != 0 && errno == EINTR);
      const int error = result == 0 ? 0 : errno;
      ::close(own);
      const std::scoped_lock lock(wait->mutex);
      wait->done = true;
      wait->error = error;
      wait->ended.notify_one();
    }).detach();
  } catch (const std::system_error& error) {
    ::close(own);
    errno = error.code().value();
    return -1;
  }
  std::unique_lock lock(wait->mutex);
  if (!wait->ended.wait_for(lock, timeout, [&wait] { return wait->done; })) {
    errno = EWOULDBLOCK;
    return -1;
  }
  errno = wait->error;
  return wait->error == 0 ? 0 : -1;
}

FileSystemCalls& CallsInForce() {
  static FileSystemCalls calls = SystemFileSystem();
  return calls;
}

}  // namespace

FileSystemCalls SystemFileSystem() {
  FileSystemCalls calls;
  calls.open = [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); };
  calls.flock = [](int fd, int operation) { return ::flock(fd, operation); };
  calls.timedLock = TimedExclusiveLock;
  calls.write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); };
  calls.fchown = [](int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); };
  calls.fchmod = [](int fd, mode_t mode) { return ::fchmod(fd, mode); };
  calls.fsync = [](int fd) { return ::fsync(fd); };
  calls.close = [](int fd) { return ::close(fd); };
  calls.rename = [](const char* from, const char* to) { return std::rename(from, to); };
  calls.unlink = [](const char* path) { return ::unlink(path); };
  return calls;
}

const FileSystemCalls& FileSystem() { return CallsInForce(); }

ScopedFileSystem::ScopedFileSystem(FileSystemCalls calls)
    : previous_(std::exchange(CallsInForce(), std::move(calls))) {}

ScopedFileSystem::~ScopedFileSystem() { CallsInForce() = std::move(previous_); }

}  // namespace calpero
