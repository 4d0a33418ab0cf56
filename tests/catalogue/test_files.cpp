#include "tests/catalogue/test_files.h"

#include <fcntl.h>
#include <gtest/gtest.h>
#include <sys/stat.h>
#include <unistd.h>

#include <algorithm>
#include <cerrno>
#include <cstdlib>
#include <fstream>
#include <iterator>

#include "catalogue/errors.h"

namespace calpero::test {

namespace fs = std::filesystem;

std::string ReadBytes(const std::string& path) {
  std::ifstream in(path, std::ios::binary);
  EXPECT_TRUE(in.good()) << "cannot read " << path;
  return {std::istreambuf_iterator<char>(in), std::istreambuf_iterator<char>()};
}

void WriteBytes(const std::string& path, std::string_view bytes) {
  std::ofstream out(path, std::ios::binary | std::ios::trunc);
  out.write(bytes.data(), static_cast<std::streamsize>(bytes.size()));
  ASSERT_TRUE(out.good()) << "cannot write " << path;
}

std::string Fixture(std::string_view name) {
  const char* copy = std::getenv("CALPERO_TEST_DATA_DIR");
  return ReadBytes((fs::path(copy != nullptr ? copy : CALPERO_TEST_DATA_DIR) / name).string());
}

mode_t PermissionBits(const std::string& path) {
  struct stat status {};
  EXPECT_EQ(::stat(path.c_str(), &status), 0) << path;
  return status.st_mode & 07777;
}

namespace {

bool InFolder(const char* path, const fs::path& folder) {
  return fs::path(path).parent_path().lexically_normal() == folder;
}

// The system's calls, except those that the right refuses.
FileSystemCalls Refusing(RefusedRight::Right right, const fs::path& path) {
  const FileSystemCalls real = SystemFileSystem();
  FileSystemCalls calls = real;
  const fs::path target = path.lexically_normal();
  const auto refuse = [] {
    errno = EACCES;
    return -1;
  };
  if (right == RefusedRight::Right::kReadFile) {
    calls.open = [=](const char* name, int flags, mode_t mode) {
      const bool reads = (flags & O_ACCMODE) != O_WRONLY;
      return reads && fs::path(name).lexically_normal() == target ? refuse()
                                                                  : real.open(name, flags, mode);
    };
    return calls;
  }
  calls.open = [=](const char* name, int flags, mode_t mode) {
    return (flags & O_CREAT) != 0 && InFolder(name, target) ? refuse()
                                                            : real.open(name, flags, mode);
  };
  calls.rename = [=](const char* from, const char* to) {
    return InFolder(from, target) || InFolder(to, target) ? refuse() : real.rename(from, to);
  };
  calls.unlink = [=](const char* name) {
    return InFolder(name, target) ? refuse() : real.unlink(name);
  };
  return calls;
}

}  // namespace

RefusedRight::RefusedRight(Right right, const std::string& path, mode_t mode)
    : path_(path), previousMode_(PermissionBits(path)) {
  EXPECT_EQ(::chmod(path.c_str(), mode), 0) << path;
  if (std::getenv("CALPERO_TEST_REAL_PERMISSIONS") == nullptr) {
    refusing_.emplace(Refusing(right, path));
  } else {
    EXPECT_NE(::geteuid(), 0U) << "the run with real permission bits needs an unprivileged user";
  }
}

RefusedRight::~RefusedRight() { ::chmod(path_.c_str(), previousMode_); }

bool ReportsFailure(const std::function<void()>& operation) {
  try {
    operation();
    return false;
  } catch (const EIniFileException&) {
    return true;
  }
}

const std::vector<std::pair<std::string_view, double>> kFourPowers = {
    {"Mass", 1}, {"Length", -1}, {"Temperature", 0.5}, {"Time", -2}};

}  // namespace calpero::test
