#pragma once

#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <functional>

namespace calpero {

// The system calls through which the catalogue and its copies are replaced on disk, and the open
// through which a file is read. They go through this table so that a test can make any one of
// them fail, and check that nothing is left half done or that the refusal of a right is handled,
// whoever runs the test, or make a writer's wait for another's lock end at once. Each has the
// signature and the error convention of its POSIX namesake (-1 and errno on failure).
struct FileSystemCalls {
  std::function<int(const char* path, int flags, mode_t mode)> open;
  std::function<int(int fd, int operation)> flock;
  // flock(fd, LOCK_EX) that gives up after `timeout`, which POSIX has no call for: 0 once the
  // lock is held, or -1 with errno (EWOULDBLOCK when the time ran out).
  std::function<int(int fd, std::chrono::milliseconds timeout)> timedLock;
  std::function<ssize_t(int fd, const void* data, std::size_t size)> write;
  std::function<int(int fd, uid_t owner, gid_t group)> fchown;
  std::function<int(int fd, mode_t mode)> fchmod;
  std::function<int(int fd)> fsync;
  std::function<int(int fd)> close;
  std::function<int(const char* from, const char* to)> rename;
  std::function<int(const char* path)> unlink;
};

// The calls of the operating system itself.
FileSystemCalls SystemFileSystem();

// The calls in force: the operating system's, unless a ScopedFileSystem replaces them.
const FileSystemCalls& FileSystem();

// Puts `calls` in force for its lifetime and the previous ones back at its end. For tests; the
// program never replaces the calls.
class ScopedFileSystem {
 public:
  explicit ScopedFileSystem(FileSystemCalls calls);
  ~ScopedFileSystem();
  ScopedFileSystem(const ScopedFileSystem&) = delete;
  ScopedFileSystem& operator=(const ScopedFileSystem&) = delete;

 private:
  FileSystemCalls previous_;
};

}  // namespace calpero
