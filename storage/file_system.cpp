#include "storage/file_system.h"

#include <dirent.h>
#include <fcntl.h>
#include <sys/stat.h>
#include <sys/syscall.h>
#include <sys/xattr.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstddef>
#include <cstring>
#include <random>
#include <string_view>
#include <thread>
#include <utility>

namespace calpero {
namespace {

using Clock = std::chrono::steady_clock;

// The first pause between two tries for a lock, and the longest. Short pauses at first, since a
// change of a file takes a few milliseconds; longer ones later, so that eight writers
// waiting for a slow one do not keep the processors busy.
constexpr std::chrono::microseconds kFirstPause{200};
constexpr std::chrono::microseconds kLongestPause{10'000};

// Tries for the lock again and again, with pauses that grow and vary a little, until it is held or
// the time is up. Giving up leaves nothing behind: no thread waits on, no descriptor stays open.
// (A waiting F_OFD_SETLKW could only be given up by a signal, which a library must not install.)
// The pauses vary so that writers that found the lock taken at the same moment do not keep
// trying at the same moments; the kernel wakes its own waiters in no fixed order either.
int PollForLock(int fd, std::chrono::milliseconds timeout) {
  const Clock::time_point end = Clock::now() + timeout;
  thread_local std::minstd_rand random(std::random_device{}());
  std::chrono::microseconds pause = kFirstPause;
  while (FileSystem().LockNow(fd, F_WRLCK) != 0) {
    if (errno != EAGAIN && errno != EACCES) {
      return -1;
    }
    const Clock::time_point now = Clock::now();
    if (now >= end) {
      errno = EWOULDBLOCK;
      return -1;
    }
    std::uniform_int_distribution<std::chrono::microseconds::rep> spread(pause.count() / 2,
                                                                         pause.count());
    std::this_thread::sleep_for(
        std::min<Clock::duration>(std::chrono::microseconds(spread(random)), end - now));
    pause = std::min(pause * 2, kLongestPause);
  }
  return 0;
}

// Reads the names of the folder open as `fd` with getdents64 until its end.
int ListFolder(int fd, std::vector<std::string>& names) {
  constexpr std::size_t kBufferSize = 32768;
  std::vector<char> buffer(kBufferSize);
  for (;;) {
    const ssize_t got = ::getdents64(fd, buffer.data(), buffer.size());
    if (got < 0) {
      return -1;
    }
    if (got == 0) {
      return 0;
    }
    std::size_t at = 0;
    while (at < static_cast<std::size_t>(got)) {
      // The entries lie one after another in the buffer, each d_reclen bytes long.
      unsigned short length = 0;
      std::memcpy(&length, buffer.data() + at + offsetof(dirent64, d_reclen), sizeof length);
      const std::size_t nameAt = at + offsetof(dirent64, d_name);
      const std::string_view name(buffer.data() + nameAt,
                                  ::strnlen(buffer.data() + nameAt, at + length - nameAt));
      if (name != "." && name != "..") {
        names.emplace_back(name);
      }
      at += length;
    }
  }
}

FileSystemCalls& CallsInForce() {
  static FileSystemCalls calls = SystemFileSystem();
  return calls;
}

}  // namespace

int LockWholeFileNow(int fd, short type) {
  struct flock lock {};
  lock.l_type = type;
  lock.l_whence = SEEK_SET;  // l_start 0 and l_len 0: the whole file, however long it grows
  int result = 0;
  do {
    // NOLINTNEXTLINE(cppcoreguidelines-pro-type-vararg): fcntl is the system's own interface
    result = ::fcntl(fd, F_OFD_SETLK, &lock);
  } while (result != 0 && errno == EINTR);
  return result;
}

bool CannotLock(int error) {
  return error == ENOLCK || error == EOPNOTSUPP || error == ENOSYS || error == EINVAL;
}

FileSystemCalls SystemFileSystem() {
  FileSystemCalls calls;
  calls.Openat = [](int folder, const char* name, int flags, mode_t mode) {
    return ::openat(folder, name, flags, mode);
  };
  calls.Read = [](int fd, void* data, std::size_t size) { return ::read(fd, data, size); };
  calls.Fstat = [](int fd, struct stat* status) { return ::fstat(fd, status); };
  calls.Fstatat = [](int folder, const char* name, struct stat* status, int flags) {
    return ::fstatat(folder, name, status, flags);
  };
  calls.Faccessat = [](int folder, const char* name, int mode, int flags) {
    return ::faccessat(folder, name, mode, flags);
  };
  calls.Readlinkat = [](int folder, const char* name, char* target, std::size_t size) {
    return ::readlinkat(folder, name, target, size);
  };
  calls.Fgetxattr = [](int fd, const char* name, void* value, std::size_t size) {
    return ::fgetxattr(fd, name, value, size);
  };
  calls.ListFolder = ListFolder;
  calls.LockNow = LockWholeFileNow;
  calls.TimedLock = PollForLock;
  calls.Write = [](int fd, const void* data, std::size_t size) { return ::write(fd, data, size); };
  calls.Fchown = [](int fd, uid_t owner, gid_t group) { return ::fchown(fd, owner, group); };
  calls.Fchmod = [](int fd, mode_t mode) { return ::fchmod(fd, mode); };
  calls.Fsetxattr = [](int fd, const char* name, const void* value, std::size_t size) {
    return ::fsetxattr(fd, name, value, size, 0);
  };
  calls.Fsync = [](int fd) { return ::fsync(fd); };
  calls.Close = [](int fd) { return ::close(fd); };
  calls.Renameat = [](int fromFolder, const char* from, int toFolder, const char* to,
                      unsigned flags) {
    return ::renameat2(fromFolder, from, toFolder, to, flags);
  };
  calls.Linkat = [](int fromFolder, const char* from, int toFolder, const char* to) {
    return ::linkat(fromFolder, from, toFolder, to, 0);
  };
  calls.Unlinkat = [](int folder, const char* name) { return ::unlinkat(folder, name, 0); };
  return calls;
}

const FileSystemCalls& FileSystem() { return CallsInForce(); }

ScopedFileSystem::ScopedFileSystem(FileSystemCalls calls)
    : previous_(std::exchange(CallsInForce(), std::move(calls))) {}

ScopedFileSystem::~ScopedFileSystem() { CallsInForce() = std::move(previous_); }

}  // namespace calpero
