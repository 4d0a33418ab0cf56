#include "bench/file_floor.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <cerrno>
#include <cstring>
#include <filesystem>
#include <stdexcept>

namespace calpero {

FileBytes ReadFileFloor(const std::string& path) {
  const int fd = ::open(path.c_str(), O_RDONLY | O_CLOEXEC);
  if (fd < 0) {
    throw std::runtime_error("cannot open " + path);
  }
  struct stat status {};
  if (::fstat(fd, &status) != 0) {
    ::close(fd);
    throw std::runtime_error("cannot stat " + path);
  }
  FileBytes bytes;
  bytes.size = static_cast<std::size_t>(status.st_size);
  // Deliberately uninitialised: the read fills it, and clearing it first is not part of the floor.
  bytes.data.reset(new char[bytes.size]);
  std::size_t filled = 0;
  while (filled < bytes.size) {
    const ssize_t got = ::read(fd, bytes.data.get() + filled, bytes.size - filled);
    if (got < 0 && errno == EINTR) {
      continue;
    }
    if (got <= 0) {
      ::close(fd);
      throw std::runtime_error("cannot read " + path);
    }
    filled += static_cast<std::size_t>(got);
  }
  ::close(fd);
  return bytes;
}

std::size_t CountLineEnds(std::string_view text) {
  std::size_t count = 0;
  const char* at = text.data();
  const char* const end = text.data() + text.size();
  while (at < end) {
    const void* found = std::memchr(at, '\n', static_cast<std::size_t>(end - at));
    if (found == nullptr) {
      break;
    }
    ++count;
    at = static_cast<const char*>(found) + 1;
  }
  return count;
}

void ReplaceFileFloor(const std::string& path, std::string_view bytes) {
  const std::string temporary = path + ".new";
  const int fd = ::open(temporary.c_str(), O_WRONLY | O_CREAT | O_TRUNC | O_CLOEXEC, 0644);
  if (fd < 0) {
    throw std::runtime_error("cannot create " + temporary);
  }
  std::size_t written = 0;
  while (written < bytes.size()) {
    const ssize_t put = ::write(fd, bytes.data() + written, bytes.size() - written);
    if (put < 0 && errno == EINTR) {
      continue;
    }
    if (put <= 0) {
      ::close(fd);
      throw std::runtime_error("cannot write " + temporary);
    }
    written += static_cast<std::size_t>(put);
  }
  const bool synced = ::fsync(fd) == 0;
  ::close(fd);
  if (!synced || ::rename(temporary.c_str(), path.c_str()) != 0) {
    throw std::runtime_error("cannot replace " + path);
  }
  const std::string folder = std::filesystem::path(path).parent_path().string();
  const int folderFd = ::open(folder.c_str(), O_RDONLY | O_DIRECTORY | O_CLOEXEC);
  if (folderFd >= 0) {
    ::fsync(folderFd);
    ::close(folderFd);
  }
}

}  // namespace calpero
