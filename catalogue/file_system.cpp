#include "catalogue/file_system.h"

#include <fcntl.h>
#include <sys/file.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cstdio>
#include <utility>

namespace calpero {
namespace {

FileSystemCalls& CallsInForce() {
  static FileSystemCalls calls = SystemFileSystem();
  return calls;
}

}  // namespace

FileSystemCalls SystemFileSystem() {
  FileSystemCalls calls;
  calls.open = [](const char* path, int flags, mode_t mode) { return ::open(path, flags, mode); };
  calls.flock = [](int fd, int operation) { return ::flock(fd, operation); };
  calls.usleep = [](useconds_t microseconds) { return ::usleep(microseconds); };
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
