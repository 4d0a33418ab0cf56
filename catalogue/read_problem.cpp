#include "catalogue/read_problem.h"

#include <fcntl.h>
#include <sys/stat.h>
#include <unistd.h>

#include <array>
#include <cerrno>
#include <system_error>

namespace calpero {
namespace {

std::string SystemMessage(int error) { return std::generic_category().message(error); }

// What stands in the way of reading the open file `fd`; empty when a first byte can be read.
std::string OpenFileProblem(int fd) {
  struct stat status {};
  if (fstat(fd, &status) != 0) {
    return SystemMessage(errno);
  }
  if (S_ISDIR(status.st_mode)) {
    return SystemMessage(EISDIR);
  }
  if (!S_ISREG(status.st_mode)) {
    return "it is not a regular file";
  }
  std::array<char, 1> byte{};
  if (read(fd, byte.data(), byte.size()) < 0) {
    return SystemMessage(errno);
  }
  return {};
}

}  // namespace

std::string CatalogueReadProblem(const std::string& path) {
  const int fd = open(path.c_str(), O_RDONLY | O_NONBLOCK | O_CLOEXEC | O_NOCTTY);
  if (fd < 0) {
    const int error = errno;
    return error == ENOENT || error == ENOTDIR ? std::string() : SystemMessage(error);
  }
  std::string problem = OpenFileProblem(fd);
  close(fd);
  return problem;
}

}  // namespace calpero
