#pragma once

#include <sys/stat.h>
#include <sys/types.h>

#include <chrono>
#include <cstddef>
#include <functional>
#include <string>
#include <vector>

namespace calpero {

// The system calls through which files and their copies are read, locked and replaced on
// disk: every one that a change makes, from following the links on its path to syncing the folder,
// the best-effort steps included. They go through this table so that a test can make any one of
// them fail, and check that nothing is left half done or that the refusal of a right is handled,
// whoever runs the test; can refuse locks as a network share without a lock service does; can make
// a file vanish or appear at the worst moment; or can make a writer's wait for another's lock end
// at once. Each has the signature and the error convention of its POSIX namesake (-1 and errno on
// failure). Names are relative to a folder's descriptor (AT_FDCWD for the working directory).
struct FileSystemCalls {
  std::function<int(int folder, const char* name, int flags, mode_t mode)> Openat;
  std::function<ssize_t(int fd, void* data, std::size_t size)> Read;
  std::function<int(int fd, struct stat* status)> Fstat;
  // `flags` as fstatat's: AT_SYMLINK_NOFOLLOW to look at a link itself; 0 follows links.
  std::function<int(int folder, const char* name, struct stat* status, int flags)> Fstatat;
  std::function<int(int folder, const char* name, int mode, int flags)> Faccessat;
  std::function<ssize_t(int folder, const char* name, char* target, std::size_t size)> Readlinkat;
  std::function<ssize_t(int fd, const char* name, void* value, std::size_t size)> Fgetxattr;
  // The names in the folder open (for reading) as `fd`, "." and ".." left out, read with
  // getdents64 from the descriptor's position; the descriptor stays open. 0, or -1 with errno.
  std::function<int(int fd, std::vector<std::string>& names)> ListFolder;
  // An open-file-description lock of the whole file (fcntl F_OFD_SETLK), of `type` F_WRLCK,
  // F_RDLCK or F_UNLCK, taken without waiting: 0, or -1 with errno (EAGAIN when another holds a
  // lock in the way; ENOLCK, EOPNOTSUPP or ENOSYS where the file system cannot lock).
  std::function<int(int fd, short type)> LockNow;
  // The exclusive lock of lockNow, waiting for it at most `timeout`, which POSIX has no call for:
  // 0 once the lock is held, or -1 with errno (EWOULDBLOCK when the time ran out).
  std::function<int(int fd, std::chrono::milliseconds timeout)> TimedLock;
  std::function<ssize_t(int fd, const void* data, std::size_t size)> Write;
  std::function<int(int fd, uid_t owner, gid_t group)> Fchown;
  std::function<int(int fd, mode_t mode)> Fchmod;
  std::function<int(int fd, const char* name, const void* value, std::size_t size)> Fsetxattr;
  std::function<int(int fd)> Fsync;
  std::function<int(int fd)> Close;
  // renameat2: `flags` 0 replaces the target, RENAME_NOREPLACE fails with EEXIST when it exists.
  std::function<int(int fromFolder, const char* from, int toFolder, const char* to, unsigned flags)>
      Renameat;
  std::function<int(int fromFolder, const char* from, int toFolder, const char* to)> Linkat;
  std::function<int(int folder, const char* name)> Unlinkat;
};

// The calls of the operating system itself.
FileSystemCalls SystemFileSystem();

// The system's own lockNow.
int LockWholeFileNow(int fd, short type);

// Whether `error`, from lockNow, says that the file system cannot lock at all (ENOLCK, EOPNOTSUPP,
// ENOSYS; EINVAL from a kernel without open-file-description locks).
bool CannotLock(int error);

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
